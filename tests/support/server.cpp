#include "support/server.h"
#include <QProcess>
#include <QStringList>
#include <unistd.h>

namespace testsupport {

namespace {

// Runs a tool to its end; an empty text when it succeeded, else its output.
QString run(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, arguments);
    if (!p.waitForFinished(90000))
        return program + QStringLiteral(" did not finish: ") + p.errorString();
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return program + QStringLiteral(": ") + QString::fromLocal8Bit(p.readAll());
    return QString();
}

// The mariadbd of scripts/testdb-up: shut down (its sessions end), then its own start command.
QString restartMariadb(const QString& dir) {
    const QString stopped =
        run(QStringLiteral("mariadb-admin"),
            {QStringLiteral("--no-defaults"),
             QStringLiteral("--socket=") + dir + QStringLiteral("/mariadb/mariadbd.sock"),
             QStringLiteral("-u"), QStringLiteral("root"), QStringLiteral("shutdown")});
    if (!stopped.isEmpty()) return stopped;
    return run(dir + QStringLiteral("/mariadb-start"), {});
}

} // namespace

QString restartTestServer(const QString& kind) {
    const QString dir = qEnvironmentVariable("EDI_TEST_DIR");
    if (dir.isEmpty()) return QStringLiteral("EDI_TEST_DIR is not set");
    if (kind == QLatin1String("mariadb")) return restartMariadb(dir);
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
