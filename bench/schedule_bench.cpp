// Schedule screen benchmarks on each test database, each beside a plain ODBC baseline:
//  1. entering the body for a header with 32,766 stored rows (the kind check through the filled
//     grid) beside a plain fetch of the same list statement;
//  2. a save with the list reload for a header with 1,000 rows beside the plain insert plus the
//     list fetch.
#include "bench_support.h"
#include "platform/odbc/connection.h"
#include "schedule/common.h"
#include "schedule/f_m352040.h"
#include "shell/workarea.h"
#include <QApplication>
#include <cstdio>

namespace {

const char* kDays[] = {"月曜日", "火曜日", "水曜日", "木曜日", "金曜日", "土曜日", "日曜日"};

// n rows for the header (center, R): the seven days in turn, times two seconds apart.
void fill(const TestDb& db, const QString& center, int n) {
    bench::execute(db,
                   "INSERT INTO FL1903EDI制御マスタ (センターコード, センター名, 送受信方式, "
                   "RLY受信ファイルパス, RLY送信ファイルパス, 相手先種別, 実行端末名) VALUES ('" +
                       center + "', 'ベンチ', 'Z', '/r', '/s', '3', 'PC')");
    QString day = "CASE i % 7";
    for (int d = 0; d < 7; ++d)
        day += QString(" WHEN %1 THEN '%2'").arg(d).arg(kDays[d]);
    day += " END";
    if (db.kind == "postgresql")
        bench::execute(db, "INSERT INTO FL1912EDIスケジュールマスタ SELECT '" + center +
                               "', 'R', " + day +
                               ", make_interval(secs => (i / 7) * 2)::time FROM "
                               "generate_series(0, " +
                               QString::number(n - 1) + ") AS g(i)");
    else if (db.kind == "mariadb")
        bench::execute(db, "INSERT INTO FL1912EDIスケジュールマスタ SELECT '" + center +
                               "', 'R', " + day +
                               ", sec_to_time((i DIV 7) * 2) FROM (WITH RECURSIVE s(i) AS "
                               "(SELECT 0 UNION ALL SELECT i + 1 FROM s WHERE i < " +
                               QString::number(n - 1) + ") SELECT i FROM s) AS g");
    else
        // The driver runs a statement that starts with WITH as a query: the CTE goes inside.
        bench::execute(db,
                       "INSERT INTO FL1912EDIスケジュールマスタ WITH RECURSIVE s(i) AS (SELECT 0 "
                       "UNION ALL SELECT i + 1 FROM s WHERE i < " +
                           QString::number(n - 1) + ") SELECT '" + center + "', 'R', " + day +
                           ", time((i / 7) * 2, 'unixepoch') FROM s");
}

// The list statement of a header as the screen builds it, fetched row by row.
double plainFetch(const QString& sql) {
    odbc::Connection& c = *workarea::g_DbConn;
    return bench::median(bench::timeRuns(5, nullptr, [&] {
        auto rs = c.openResultSet(sql, odbc::CursorType::Keyset, odbc::Concurrency::ReadOnly);
        long n = 0;
        for (; !rs->eof(); rs->moveNext())
            n += rs->value(0).has_value() + rs->value(1).has_value();
        rs->close();
    }));
}

void enterBody(F_M352040& f, const QString& center) {
    f.Center_CD->setText(center);
    f.Soujyu->setText("R");
    int16_t result = 0;
    common::Chk_Field(1, result);
}

void benchmarks(const TestDb& db) {
    resetDatabase(db);
    fill(db, "B32766", 32766);
    fill(db, "B1000", 1000);
    QTemporaryDir dir;
    if (!bench::startProgram(dir, db, [](const QString&) { return 6; })) {
        std::printf("%s: the program did not start\n", qPrintable(db.kind));
        return;
    }
    F_M352040& f = frm();

    // 1. Entering the body.
    const double before = bench::residentMb();
    auto body = bench::timeRuns(
        5, [&] { common::Set_Mode(1); }, [&] { enterBody(f, "B32766"); });
    const double after = bench::residentMb();
    // The list reaches the screen from the event loop once the handler is done.
    auto shown = bench::timeRuns(
        5,
        [&] {
            common::Set_Mode(1);
            QCoreApplication::processEvents();
            enterBody(f, "B32766");
        },
        [] { QCoreApplication::processEvents(); });
    const QString listSql = workarea::g_SQL;
    const double plain = plainFetch(listSql);
    std::printf("%-10s enter body, 32,766 rows: %8.1f ms  plain fetch %8.1f ms  ratio %.2f "
                "(target <= 2)  grid rows %d, memory +%.1f MB; then on screen after %.1f ms\n",
                qPrintable(db.kind), bench::median(body), plain, bench::median(body) / plain,
                f.GRID->rows() - 1, after - before, bench::median(shown));

    // 2. Save with the list reload.
    enterBody(f, "B1000");
    const QString list1000 = workarea::g_SQL;
    int minute = 0;
    auto prepare = [&] {
        common::New_Entry();
        f.Jikoku->setText(
            QString("%1:%2").arg(12 + minute / 60).arg(minute % 60 + 1, 2, 10, QChar('0')));
        ++minute;
    };
    auto save = bench::timeRuns(7, prepare, [&] {
        int16_t result = 0;
        common::Conf_Update(result);
    });
    odbc::Connection& c = *workarea::g_DbConn;
    auto baseline = bench::timeRuns(
        7, [&] { ++minute; },
        [&] {
            c.execute(QString("INSERT INTO FL1912EDIスケジュールマスタ "
                              "(センターコード,送受信種別,曜日,起動時刻) "
                              "VALUES ('B1000','R','月曜日','%1:%2')")
                          .arg(12 + minute / 60)
                          .arg(minute % 60 + 1, 2, 10, QChar('0')));
            auto rs =
                c.openResultSet(list1000, odbc::CursorType::Keyset, odbc::Concurrency::ReadOnly);
            for (; !rs->eof(); rs->moveNext())
                (void)rs->value(1);
        });
    std::printf(
        "%-10s save + reload, 1,000 rows: %6.1f ms  plain insert + fetch %6.1f ms  ratio %.2f "
        "(target <= 2)\n",
        qPrintable(db.kind), bench::median(save), bench::median(baseline),
        bench::median(save) / bench::median(baseline));
    bench::stopProgram();
}

} // namespace

int main(int argc, char** argv) {
    return bench::runOnTestDatabases(argc, argv, benchmarks);
}
