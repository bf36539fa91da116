// A link that dies silently (iptables DROP in the server's network namespace, scripts/testdb-up):
// the seconds from the key to the operator's message for a save (the link dies while the save
// question is up), Enter on a center and F5; and the seconds from the link's return to the
// first successful save.
#include "bench_support.h"
#include "platform/forms/runtime.h"
#include "schedule/common.h"
#include "schedule/f_m352040.h"
#include "shell/guard.h"
#include "shell/workarea.h"
#include "support/server.h"
#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>

namespace {

QElapsedTimer timer;
qint64 messageAt = -1;
bool cutAtQuestion = false;

int answer(const QString& prompt) {
    if (prompt == QStringLiteral("この内容で更新しますか")) {
        if (cutAtQuestion) {
            testsupport::cutLink(testsupport::Cut::BothWays);
            cutAtQuestion = false;
            timer.start(); // the key is Yes
        }
        return 6;
    }
    if (messageAt < 0) messageAt = timer.elapsed();
    return 1;
}

void enterBody(F_M352040& f) {
    common::Set_Mode(1);
    f.Center_CD->setText("C17");
    f.Soujyu->setText("R");
    int16_t result = 0;
    shell::guarded([&] { common::Chk_Field(1, result); });
}

double seconds(qint64 ms) {
    return ms / 1000.0;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString missing = testsupport::cuttableServerMissing();
    if (!missing.isEmpty()) {
        std::printf("no server behind a cuttable link: %s\n", qPrintable(missing));
        return 1;
    }
    const TestDb wan{"EDI_TEST_PG_WAN", "postgresql", "DSN=EDI_TEST_PG_WAN;UID=postgres;PWD=;"};
    const TestDb local{"EDI_TEST_PG_WAN_LOCAL", "postgresql",
                       "DSN=EDI_TEST_PG_WAN_LOCAL;UID=postgres;PWD=;"};
    testsupport::restoreLink();
    resetDatabase(local);
    QTemporaryDir dir;
    if (!bench::startProgram(dir, wan, answer)) {
        std::printf("the program did not start\n");
        return 1;
    }
    F_M352040& f = frm();
    enterBody(f);

    // Save: the link dies while the question is up.
    f.Jikoku->setText("09:30");
    cutAtQuestion = true;
    messageAt = -1;
    int16_t result = 0;
    common::Conf_Update(result);
    const qint64 save = messageAt;
    // The link comes back; the operator saves again at once.
    testsupport::restoreLink();
    timer.start();
    messageAt = -1;
    f.Jikoku->setText("09:30");
    result = 0;
    common::Conf_Update(result);
    const qint64 back = timer.elapsed();
    const bool saved = result != 9 && messageAt < 0;

    // Enter on a center and F5 on a link that died while idle.
    auto onDeadLink = [&](const std::function<void()>& action) {
        common::Set_Mode(1);
        testsupport::cutLink(testsupport::Cut::BothWays);
        messageAt = -1;
        timer.start();
        shell::guarded(action);
        const qint64 at = messageAt;
        testsupport::restoreLink();
        enterBody(f); // works again
        return at;
    };
    const qint64 enter = onDeadLink([&] {
        f.Center_CD->setText("C02");
        int16_t r = 0;
        common::Chk_Field(0, r);
    });
    const qint64 f5 = onDeadLink([] { common::Open_Search(); });
    bench::stopProgram();

    std::printf("dead link, key to message:  save %5.1f s   Enter on a center %5.1f s   F5 "
                "%5.1f s\n",
                seconds(save), seconds(enter), seconds(f5));
    std::printf("link back to the first successful save: %5.2f s (%s)\n", seconds(back),
                saved ? "saved" : "not saved");
    return 0;
}
