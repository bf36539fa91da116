// Round trips of each operator action on PostgreSQL over a WAN link: the program logs in with a
// password (SCRAM) to a data source as the deployment guide writes it, through a proxy that
// counts the round trips and delays each by 50 ms. Prints per action the round trips, the
// fewest its work needs, their ratio and the time at 50 ms.
// EDI_BENCH_TRACE=1 shows the statements of every round trip on stderr.
#include "bench_support.h"
#include "platform/forms/runtime.h"
#include "round_trip_proxy.h"
#include "schedule/common.h"
#include "schedule/f_m352040.h"
#include "search/search_mstdb.h"
#include "shell/workarea.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <functional>

namespace {

constexpr int kRttMs = 50;
const QString kDsn = QStringLiteral("EDI_BENCH_WAN");

struct Mark {
    long trips = 0;
    long connects = 0;
    qint64 ns = 0;
};

class Meter {
public:
    explicit Meter(bench::RoundTripProxy& p) : proxy_(p) { clock_.start(); }
    Mark now() const { return {proxy_.roundTrips(), proxy_.connects(), clock_.nsecsElapsed()}; }
    // One line of the table: the proxy cannot delay a TCP handshake, so each connect's round
    // trip is added to the time.
    void print(const char* action, const Mark& from, const Mark& to, int fewest) {
        const long trips = to.trips - from.trips;
        const double ms = (to.ns - from.ns) / 1e6 + (to.connects - from.connects) * kRttMs;
        std::printf("%-44s %5ld %7d %6.2f %9.2f s\n", action, trips, fewest, double(trips) / fewest,
                    ms / 1000);
        std::fflush(stdout);
    }

private:
    bench::RoundTripProxy& proxy_;
    QElapsedTimer clock_;
};

void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), k, mods);
}

void type(const QString& text) {
    for (QChar c : text)
        QTest::keyClicks(QApplication::focusWidget(), QString(c));
}

// A center with ten receive times, 100,000 more centers for the large search, and the
// password login the guide's operators have, with the program's grants.
void prepare(const TestDb& db, bool manyCenters) {
    resetDatabase(db);
    const QString cols = "INSERT INTO FL1903EDI制御マスタ (センターコード, センター名, 送受信方式, "
                         "RLY受信ファイルパス, RLY送信ファイルパス, 相手先種別, 実行端末名) ";
    bench::execute(db, cols + "VALUES ('RT01', 'ベンチ', 'Z', '/r', '/s', '3', 'PC')");
    bench::execute(db, "INSERT INTO FL1912EDIスケジュールマスタ SELECT 'RT01', 'R', '月曜日', "
                       "make_interval(hours => 8 + i)::time FROM generate_series(0, 9) AS g(i)");
    if (manyCenters)
        bench::execute(db, cols +
                               "SELECT 'M' || lpad(i::text, 7, '0'), 'センター' || i, 'Z', '/r', "
                               "'/s', '3', 'PC' FROM generate_series(1, 100000) AS g(i)");
    const QString user = qEnvironmentVariable("EDI_TEST_PG_AUTH_USER");
    bench::execute(db, "GRANT SELECT ON FL1903EDI制御マスタ, 区分マスタ TO " + user);
    bench::execute(db, "GRANT SELECT, INSERT, UPDATE, DELETE ON FL1912EDIスケジュールマスタ TO " +
                           user);
}

// The guide's data source, reaching the server through the proxy.
bool addDataSource(const QString& name, int port, const QString& sslMode) {
    const QString ini = qEnvironmentVariable("ODBCINI");
    QFile f(ini);
    if (!f.open(QIODevice::Append)) return false;
    f.write(QStringLiteral("\n[%1]\nDriver=PostgreSQL Unicode\nServername=127.0.0.1\nPort=%2\n"
                           "Database=edi_test\nSSLmode=%3\nUseDeclareFetch=1\nFetch=100\n"
                           "CommLog=0\nDebug=0\n")
                .arg(name)
                .arg(port)
                .arg(sslMode)
                .toUtf8());
    return true;
}

// Starts the program on the data source with the login, up to the main window with the focus
// in the center code, and prints the start-up's line.
bool startUp(Meter& meter, QTemporaryDir& dir, const QString& dsn, const QString& user,
             const QString& password, int fewest, std::function<int(const QString&)> answer) {
    const Mark mark = meter.now();
    if (!bench::startProgram(dir, TestDb{dsn, "postgresql", QString()}, std::move(answer), user,
                             password)) {
        std::printf("the program did not start\n");
        return false;
    }
    F_M352040& f = frm();
    QApplication::setActiveWindow(&f);
    f.Center_CD->setFocus();
    QApplication::processEvents();
    meter.print("start-up to the main window", mark, meter.now(), fewest);
    return true;
}

void session(bench::RoundTripProxy& proxy, const TestDb& pg, bool manyCenters) {
    prepare(pg, manyCenters);
    std::printf("\n%s\n%-44s %5s %7s %6s %11s\n",
                manyCenters ? "-- with 100,000 more centers" : "-- demo centers", "action", "trips",
                "fewest", "ratio", "at 50 ms");
    Meter meter(proxy);
    Mark question{}, mark{};
    QTemporaryDir dir;
    const Mark sessionStart = meter.now();
    if (!startUp(meter, dir, kDsn, qEnvironmentVariable("EDI_TEST_PG_AUTH_USER"),
                 qEnvironmentVariable("EDI_TEST_PG_AUTH_PASSWORD"), 5, [&](const QString& prompt) {
                     question = meter.now();
                     return prompt == QStringLiteral("削除してよろしいですか") ? 1 : 6;
                 }))
        return;
    F_M352040& f = frm();

    const Mark enterStart = meter.now();
    type("RT01");
    mark = meter.now();
    key(Qt::Key_Return);
    meter.print("Enter on a center code", mark, meter.now(), 1);
    mark = meter.now();
    type("R");
    QApplication::processEvents();
    meter.print(qPrintable(QString("direction R -> list of %1").arg(f.GRID->rows() - 1)), mark,
                meter.now(), 1);

    // The first line is taken for change: a new time, Enter, Yes.
    f.Jikoku->setFocus();
    f.Jikoku->setText(QString());
    type("0745");
    mark = meter.now();
    key(Qt::Key_Return);
    const Mark saved = meter.now();
    meter.print("change a time: Enter -> question", mark, question, 1);
    meter.print("Yes -> saved + list reloaded", question, saved, 2);

    // The saved line is taken again (a click on it), then 削除.
    QTableView* grid = f.GRID->table();
    grid->scrollToTop();
    const QPoint first = grid->visualRect(grid->model()->index(0, 1)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, first);
    mark = meter.now();
    f.Cmd_sakujyo->onClick();
    const Mark deleted = meter.now();
    meter.print("delete: key -> question", mark, question, 1);
    meter.print("delete: OK -> deleted + reloaded", question, deleted, 2);

    common::Set_Mode(1); // back to the header
    f.Center_CD->setFocus();
    QApplication::processEvents();
    Mark shown{}, picked{};
    QString pick;
    for (int round = 0; round < 2; ++round) {
        mark = meter.now();
        QTimer::singleShot(0, [&] {
            SEARCH_MSTDB& d = searchDialog();
            QApplication::processEvents();
            shown = meter.now();
            QTableView* view = d.GRID->view();
            view->setFocus();
            view->setCurrentIndex(view->model()->index(3, 0));
            pick = view->model()->index(3, 0).data().toString();
            QTest::keyClick(view, Qt::Key_Return);
        });
        key(Qt::Key_F5);
        picked = meter.now();
        meter.print(round ? "F5 again -> search shown" : "F5 -> search shown", mark, shown, 1);
        meter.print(qPrintable("pick " + pick + " -> back in the screen"), shown, picked, 1);
    }
    const int fewestSession = 1 + 1 + 1 + 2 + 1 + 2 + 1 + 1;
    meter.print("whole session, Enter ... first pick", enterStart, picked, fewestSession);
    meter.print("whole session, start-up ... last pick", sessionStart, picked, fewestSession + 5);
    bench::stopProgram();
}

// Over TLS (a server of bench/tls_server.sh, which scripts/bench starts): what a login costs.
void tlsSession() {
    const int port = qEnvironmentVariableIntValue("EDI_BENCH_TLS_PORT");
    if (port == 0) {
        std::printf("\n-- over TLS: no TLS server (scripts/bench starts one)\n");
        return;
    }
    bench::RoundTripProxy proxy(QStringLiteral("127.0.0.1:%1").arg(port), kRttMs);
    proxy.setTrace(qEnvironmentVariableIsSet("EDI_BENCH_TRACE"));
    if (!addDataSource(kDsn + "_TLS", proxy.port(), QStringLiteral("require"))) return;
    std::printf("\n-- over TLS (sslmode require), demo centers\n%-44s %5s %7s %6s %11s\n", "action",
                "trips", "fewest", "ratio", "at 50 ms");
    Meter meter(proxy);
    QTemporaryDir dir;
    if (!startUp(meter, dir, kDsn + "_TLS", qEnvironmentVariable("EDI_BENCH_TLS_USER"),
                 qEnvironmentVariable("EDI_BENCH_TLS_PASSWORD"), 7,
                 [](const QString&) { return 1; }))
        return;
    type("C01");
    const Mark mark = meter.now();
    key(Qt::Key_Return);
    meter.print("Enter on a center code", mark, meter.now(), 1);
    bench::stopProgram();
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString socket = qEnvironmentVariable("EDI_TEST_DIR") + "/.s.PGSQL.5432";
    const TestDb* pg = nullptr;
    const auto dbs = testDatabases();
    for (const TestDb& db : dbs)
        if (db.kind == QLatin1String("postgresql")) pg = &db;
    if (!pg || !QFile::exists(socket)) {
        std::printf("No PostgreSQL test server: run under scripts/bench.\n");
        return 1;
    }
    bench::RoundTripProxy proxy(socket, kRttMs);
    proxy.setTrace(qEnvironmentVariableIsSet("EDI_BENCH_TRACE"));
    if (!addDataSource(kDsn, proxy.port(), QStringLiteral("disable"))) {
        std::printf("cannot add the data source to %s\n", qPrintable(qgetenv("ODBCINI")));
        return 1;
    }
    std::printf("Round trips per action on PostgreSQL at %d ms round-trip time (password login, "
                "the guide's data source; TLS last)\n",
                kRttMs);
    session(proxy, *pg, false);
    session(proxy, *pg, true);
    tlsSession();
    return 0;
}
