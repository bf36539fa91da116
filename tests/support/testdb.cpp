#include "support/testdb.h"
#include "support/sqlscript.h"
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextStream>
#include <algorithm>

namespace {

QString envText(const char* name) {
    return QString::fromLocal8Bit(qgetenv(name));
}

// The Driver= entry of `dsn` in the user's odbc.ini, or empty.
QString driverOf(const QString& dsn) {
    QString path = envText("ODBCINI");
    if (path.isEmpty()) path = QDir::homePath() + QStringLiteral("/.odbc.ini");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    QTextStream in(&file);
    bool inSection = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inSection = line.mid(1).chopped(1).trimmed().compare(dsn, Qt::CaseInsensitive) == 0;
        } else if (inSection) {
            const qsizetype eq = line.indexOf(QLatin1Char('='));
            if (eq > 0 &&
                line.left(eq).trimmed().compare(QLatin1String("Driver"), Qt::CaseInsensitive) == 0)
                return line.mid(eq + 1).trimmed();
        }
    }
    return {};
}

QString kindOf(const QString& dsn) {
    const QString hint = driverOf(dsn) + QLatin1Char(' ') + dsn;
    if (hint.contains(QLatin1String("sqlite"), Qt::CaseInsensitive))
        return QStringLiteral("sqlite");
    if (hint.contains(QLatin1String("postgres"), Qt::CaseInsensitive) ||
        hint.contains(QLatin1String("_PG"), Qt::CaseInsensitive))
        return QStringLiteral("postgresql");
    if (hint.contains(QLatin1String("mariadb"), Qt::CaseInsensitive) ||
        hint.contains(QLatin1String("mysql"), Qt::CaseInsensitive))
        return QStringLiteral("mariadb");
    return QStringLiteral("unknown");
}

} // namespace

std::vector<TestDb> testDatabases() {
    std::vector<TestDb> dbs;
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    for (const QString& dsn : envText("EDI_TEST_DSNS").split(blanks, Qt::SkipEmptyParts)) {
        TestDb db{dsn, kindOf(dsn), {}};
        QString user =
            db.kind == QLatin1String("postgresql") ? envText("EDI_TEST_PG_USER") : QString();
        if (db.kind == QLatin1String("postgresql") && user.isEmpty())
            user = QStringLiteral("postgres");
        if (db.kind == QLatin1String("mariadb")) user = envText("EDI_TEST_MARIADB_USER");
        db.connStr = QStringLiteral("DSN=%1;UID=%2;PWD=;").arg(dsn, user);
        dbs.push_back(db);
    }
    return dbs;
}

QString schemaFile(const TestDb& db) {
    return QStringLiteral(EDI_SOURCE_DIR "/db/%1/schema.sql").arg(db.kind);
}

std::unique_ptr<odbc::Connection> connectTo(odbc::Environment& env, const TestDb& db) {
    auto connection = std::make_unique<odbc::Connection>(env);
    connection->setLoginTimeout(30);
    connection->open(db.connStr);
    return connection;
}

void resetDatabase(const TestDb& db) {
    odbc::Environment env;
    const auto connection = connectTo(env, db);
    // One transaction: much faster on SQLite, and no half-loaded database on PostgreSQL.
    connection->beginTrans();
    try {
        testsupport::runSqlFile(*connection, schemaFile(db));
        testsupport::runSqlFile(*connection, QStringLiteral(EDI_SOURCE_DIR "/db/demo-data.sql"));
        connection->commitTrans();
    } catch (...) {
        connection->rollbackTrans();
        throw;
    }
}

void PrintTo(const TestDb& db, std::ostream* os) {
    *os << db.kind.toStdString() << " (" << db.dsn.toStdString() << ")";
}

bool postgresInstalled() {
    // The server testdb-up starts.
    return QFile::exists(QStringLiteral("/usr/lib/postgresql/15/bin/initdb"));
}

bool mariadbInstalled() {
    return QFile::exists(QStringLiteral("/usr/sbin/mariadbd"));
}

void missingDatabase(const std::string& why) {
    if (postgresInstalled())
        FAIL() << why
               << "; PostgreSQL 15 is installed here, so scripts/testdb-up should have "
                  "set the database up";
    GTEST_SKIP() << why << " (see scripts/testdb-up)";
}

bool prepareDatabase(const TestDb& db) {
    if (db.dsn.isEmpty() && db.kind == QLatin1String("mariadb")) {
        ADD_FAILURE() << "EDI_TEST_DSNS names no MariaDB data source; MariaDB is installed "
                         "here, so scripts/testdb-up should have set the database up";
        return false;
    }
    if (db.dsn.isEmpty()) {
        missingDatabase(db.kind == QLatin1String("postgresql")
                            ? "EDI_TEST_DSNS names no PostgreSQL data source"
                            : "EDI_TEST_DSNS is empty: no test database configured");
        return false;
    }
    return ranCleanly([&] { resetDatabase(db); });
}

bool ranCleanly(const std::function<void()>& step) {
    const auto fatalFailures = [] {
        const ::testing::TestResult* result =
            ::testing::UnitTest::GetInstance()->current_test_info()->result();
        int n = 0;
        for (int i = 0; i < result->total_part_count(); ++i)
            n += result->GetTestPartResult(i).fatally_failed() ? 1 : 0;
        return n;
    };
    const int before = fatalFailures();
    try {
        step();
    } catch (const std::exception& e) {
        ADD_FAILURE() << "exception: " << e.what();
        return false;
    } catch (...) {
        ADD_FAILURE() << "an exception of unknown type";
        return false;
    }
    return fatalFailures() == before;
}

void DbTest::SetUp() {
    prepareDatabase(db());
}

std::vector<TestDb> testDatabaseParams() {
    std::vector<TestDb> dbs = testDatabases();
    const bool anyPostgres = std::any_of(dbs.begin(), dbs.end(), [](const TestDb& db) {
        return db.kind == QLatin1String("postgresql");
    });
    if (postgresInstalled() && !anyPostgres)
        dbs.push_back(TestDb{{}, QStringLiteral("postgresql"), {}});
    const bool anyMariadb = std::any_of(dbs.begin(), dbs.end(), [](const TestDb& db) {
        return db.kind == QLatin1String("mariadb");
    });
    // Only beside a configured database: a run with none at all skips as before.
    if (mariadbInstalled() && !anyMariadb && !dbs.empty())
        dbs.push_back(TestDb{{}, QStringLiteral("mariadb"), {}});
    if (dbs.empty()) dbs.push_back(TestDb{{}, QStringLiteral("none"), {}});
    return dbs;
}

std::string testDbName(const ::testing::TestParamInfo<TestDb>& info) {
    // Two data sources of one kind still need distinct names.
    std::string name = info.param.kind.toStdString();
    const auto all = testDatabaseParams();
    int sameKind = 0;
    for (const TestDb& db : all)
        sameKind += db.kind == info.param.kind ? 1 : 0;
    if (sameKind > 1) name += "_" + std::to_string(info.index);
    return name;
}
