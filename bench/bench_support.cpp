#include "bench_support.h"
#include "platform/forms/runtime.h"
#include "platform/odbc/connection.h"
#include "schedule/common.h"
#include "shell/settings.h"
#include "startup/M352040_M.h"
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

namespace bench {

bool startProgram(QTemporaryDir& dir, const TestDb& db, std::function<int(const QString&)> answer,
                  const QString& user, const QString& password) {
    QDir(dir.path()).mkpath("PG/BIN");
    settings::setAppPathOverride(dir.path() + "/PG/BIN");
    QFile demo(QStringLiteral(EDI_SOURCE_DIR "/demo/EDI.ini"));
    if (!demo.open(QIODevice::ReadOnly)) return false;
    QString ini = QString::fromUtf8(demo.readAll());
    const QString testUser =
        db.kind == "mariadb" ? qEnvironmentVariable("EDI_TEST_MARIADB_USER") : QString("postgres");
    ini.replace("DBSTRING=EDI_DEMO", "DBSTRING=" + db.dsn)
        .replace("USERID=demo", "USERID=" + (user.isEmpty() ? testUser : user))
        .replace("PASSWD=\n", "PASSWD=" + password + "\n");
    QFile out(dir.path() + "/EDI.ini");
    if (!out.open(QIODevice::WriteOnly)) return false;
    out.write(ini.toUtf8());
    out.close();
    forms::setMsgBoxHandler([answer](const QString& prompt, int, const QString&) {
        if (prompt != QStringLiteral("この内容で更新しますか"))
            std::fprintf(stderr, "message: %s\n", qPrintable(prompt));
        return answer(prompt);
    });
    forms::setEndHandler([](int) {});
    return M352040_M::Main("BENCH");
}

void stopProgram() {
    M352040_M::resetMain();
    common::resetState();
}

std::vector<double> timeRuns(int runs, const std::function<void()>& prepare,
                             const std::function<void()>& fn) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        if (prepare) prepare();
        QElapsedTimer t;
        t.start();
        fn();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    return ms;
}

double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double residentMb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

void execute(const TestDb& db, const QString& sql) {
    odbc::Environment env;
    odbc::Connection c(env);
    c.open(db.connStr);
    c.execute(sql);
}

int runOnTestDatabases(int argc, char** argv, const std::function<void(const TestDb&)>& run) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const auto dbs = testDatabases();
    if (dbs.empty()) {
        std::printf("No test database: run under scripts/bench (EDI_TEST_DSNS is empty).\n");
        return 1;
    }
    for (const TestDb& db : dbs)
        run(db);
    return 0;
}

} // namespace bench
