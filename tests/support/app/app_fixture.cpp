#include "support/app/app_fixture.h"
#include "platform/forms/runtime.h"
#include "platform/odbc/connection.h"
#include "shell/settings.h"
#include <QDir>
#include <QFile>

void AppFixture::SetUp() {
    ASSERT_TRUE(dir.isValid());
    QDir(root()).mkpath("PG/BIN");
    settings::setAppPathOverride(root() + "/PG/BIN");
    forms::setMsgBoxHandler([this](const QString& prompt, int style, const QString& title) {
        messages << prompt;
        styles.push_back(style);
        titles << title;
        if (answers.empty()) return 1;
        int a = answers.front();
        answers.pop_front();
        return a;
    });
    forms::setEndHandler([this](int status) { endStatus = status; });
}

void AppFixture::TearDown() {
    forms::setMsgBoxHandler(nullptr);
    forms::setEndHandler(nullptr);
    settings::setAppPathOverride(QString());
}

void AppFixture::forgetMessages() {
    messages.clear();
    styles.clear();
    titles.clear();
    answers.clear();
    endStatus = -1;
}

void AppFixture::execOn(const TestDb& db, const QString& sql) {
    odbc::Environment env;
    connectTo(env, db)->execute(sql);
}

QString AppFixture::demoIni() {
    QFile f(QStringLiteral(EDI_SOURCE_DIR "/demo/EDI.ini"));
    if (!f.open(QIODevice::ReadOnly)) return QString();
    return QString::fromUtf8(f.readAll());
}

void AppFixture::writeIni(const QString& content) {
    QFile f(root() + "/EDI.ini");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content.toUtf8());
}

QString AppFixture::iniFor(const QString& dsn, const QString& user, const QString& password) const {
    QString login = user;
    if (login.isEmpty()) {
        login = QStringLiteral("postgres");
        for (const TestDb& db : testDatabases())
            if (db.dsn == dsn && db.kind == QLatin1String("mariadb"))
                login = qEnvironmentVariable("EDI_TEST_MARIADB_USER");
    }
    return demoIni()
        .replace("DBSTRING=EDI_DEMO", "DBSTRING=" + dsn)
        .replace("USERID=demo", "USERID=" + login)
        .replace("PASSWD=\n", "PASSWD=" + password + "\n");
}
