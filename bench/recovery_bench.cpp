// How the screen meets a shared database that misbehaves, on each test database:
//  1. a save blocked by another session's row lock: how long until the operator's message;
//  2. (PostgreSQL) the server restarted under the running program: the time from the moment it
//     accepts connections again to the first successful action (a header check with its list).
#include "bench_support.h"
#include "platform/odbc/connection.h"
#include "schedule/common.h"
#include "schedule/f_m352040.h"
#include "shell/workarea.h"
#include "support/server.h"
#include <QElapsedTimer>
#include <cstdio>

namespace {

void benchmarks(const TestDb& db) {
    resetDatabase(db);
    QTemporaryDir dir;
    QString last;
    if (!bench::startProgram(dir, db, [&](const QString& prompt) {
            last = prompt;
            return 6;
        })) {
        std::printf("%s: the program did not start\n", qPrintable(db.kind));
        return;
    }
    F_M352040& f = frm();
    // The kind check of a header with rows: the list is read and the body entered.
    auto enterBody = [&] {
        common::Set_Mode(1);
        f.GRID->setRows(1);
        f.Center_CD->setText("C02");
        f.Soujyu->setText("R");
        int16_t result = 0;
        common::Chk_Field(1, result);
        return common::g_Mode == "BODY" && f.GRID->rows() == 4;
    };

    // 1. The blocked save.
    enterBody();
    odbc::Environment env;
    auto other = connectTo(env, db);
    other->beginTrans();
    other->execute("UPDATE FL1912EDIスケジュールマスタ SET 起動時刻='07:15' WHERE "
                   "センターコード='C02' AND 曜日='月曜日'");
    f.Jikoku->setText("07:45");
    QElapsedTimer clock;
    clock.start();
    int16_t result = 0;
    common::Conf_Update(result);
    const qint64 blocked = clock.elapsed();
    other->rollbackTrans();
    std::printf("%-10s save blocked by a held row lock: message after %6lld ms (%s)\n",
                qPrintable(db.kind), static_cast<long long>(blocked),
                result == 9 ? "refused" : "saved");

    // 2. The restarted server.
    if (db.kind != "sqlite") {
        clock.restart();
        const QString failed = testsupport::restartTestServer(db.kind);
        const qint64 restart = clock.elapsed();
        if (!failed.isEmpty()) {
            std::printf("%-10s restart failed: %s\n", qPrintable(db.kind), qPrintable(failed));
        } else {
            last.clear();
            clock.restart();
            const bool ok = enterBody();
            std::printf("%-10s server restart %6lld ms; then the first action succeeded in "
                        "%6lld ms (%s)\n",
                        qPrintable(db.kind), static_cast<long long>(restart),
                        static_cast<long long>(clock.elapsed()),
                        ok && last.isEmpty() ? "list read, no message"
                                             : qPrintable("failed: " + last));
        }
    }
    bench::stopProgram();
}

} // namespace

int main(int argc, char** argv) {
    return bench::runOnTestDatabases(argc, argv, benchmarks);
}
