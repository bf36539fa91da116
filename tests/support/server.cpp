#include "support/server.h"
#include <QProcess>
#include <QStringList>
#include <unistd.h>

namespace testsupport {

QString restartTestServer() {
    const QString dir = qEnvironmentVariable("EDI_TEST_DIR");
    if (dir.isEmpty()) return QStringLiteral("EDI_TEST_DIR is not set");
    QStringList command = {QStringLiteral("/usr/lib/postgresql/15/bin/pg_ctl"),
                           QStringLiteral("-D"),
                           dir + QStringLiteral("/pgdata"),
                           QStringLiteral("-l"),
                           dir + QStringLiteral("/postgres.log"),
                           QStringLiteral("-m"),
                           QStringLiteral("fast"),
                           QStringLiteral("-w"),
                           QStringLiteral("-t"),
                           QStringLiteral("60"),
                           QStringLiteral("restart")};
    // The cluster belongs to postgres; as root the test acts as that user.
    if (geteuid() == 0)
        command =
            QStringList{QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--")} +
            command;
    const QString program = geteuid() == 0 ? QStringLiteral("runuser") : command.takeFirst();
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, command);
    if (!p.waitForFinished(90000))
        return QStringLiteral("pg_ctl did not finish: ") + p.errorString();
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QString::fromLocal8Bit(p.readAll());
    return QString();
}

} // namespace testsupport
