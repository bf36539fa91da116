#include "support/server.h"
#include <QProcess>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <string>
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

namespace {

// The cuts run from helper threads while the program waits: plain processes, no Qt objects.
QString run(const std::string& command) {
    const int status = std::system((command + " 2>&1 >/dev/null").c_str());
    return status == 0 ? QString() : QStringLiteral("failed: ") + QString::fromStdString(command);
}

std::string env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string inNamespace(const std::string& command) {
    return "ip netns exec " + env("EDI_TEST_WAN_NETNS") + " " + command;
}

} // namespace

QString cuttableServerMissing() {
    if (!env("EDI_TEST_WAN_ERROR").empty())
        return QString::fromStdString(env("EDI_TEST_WAN_ERROR"));
    if (env("EDI_TEST_WAN_NETNS").empty())
        return QStringLiteral("no server behind a cuttable link (scripts/testdb-up sets it up)");
    return QString();
}

QString cutLink(Cut how) {
    const std::string dev = env("EDI_TEST_WAN_IF");
    QString failed = run(inNamespace("iptables -A OUTPUT -o " + dev + " -j DROP"));
    if (how == Cut::BothWays && failed.isEmpty())
        failed = run(inNamespace("iptables -A INPUT -i " + dev + " -j DROP"));
    return failed;
}

QString restoreLink() {
    return run(inNamespace("iptables -F"));
}

QString dropConnectionsToServer() {
    return run("ss -t -K state established dst " + env("EDI_TEST_WAN_ADDR") +
               " dport = " + env("EDI_TEST_WAN_PORT"));
}

QString serverQuery(const QString& sql) {
    const std::string command = "psql -X -q -At -h " + env("EDI_TEST_WAN_SOCKET") + " -p " +
                                env("EDI_TEST_WAN_PORT") + " -U postgres -d edi_test -c \"" +
                                sql.toStdString() + "\" 2>/dev/null";
    FILE* out = popen(command.c_str(), "r");
    if (!out) return QString();
    std::string text;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, out))
        text += buffer;
    pclose(out);
    return QString::fromStdString(text).trimmed();
}

} // namespace testsupport
