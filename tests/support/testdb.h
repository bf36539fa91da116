#pragma once
// The test databases that scripts/testdb-up prepares, and a fixture that runs one set of test
// bodies on each of them.
#include "platform/odbc/connection.h"
#include "support/qtprint.h"
#include <QString>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

struct TestDb {
    QString dsn;
    QString kind;    // "sqlite", "postgresql" or "mariadb"
    QString connStr; // as the program builds it: "DSN=X;UID=user;PWD=;"
};

// The data sources named in EDI_TEST_DSNS (blank-separated), in that order.
std::vector<TestDb> testDatabases();

// Drops and recreates the six tables from the database's schema file and loads the demo data.
void resetDatabase(const TestDb& db);

// The schema file of the database's kind, under db/.
QString schemaFile(const TestDb& db);

// Opens a connection to `db` (30 s login time-out).
std::unique_ptr<odbc::Connection> connectTo(odbc::Environment& env, const TestDb& db);

void PrintTo(const TestDb& db, std::ostream* os);

// Where PostgreSQL 15 is installed the test script sets up a server, so a database test that
// finds no database there has lost it by fault: it fails. Elsewhere it skips with `why`.
// Returns from the caller's point of view like GTEST_SKIP() or FAIL().
void missingDatabase(const std::string& why);
bool postgresInstalled();
// MariaDB installed: a test run that names no MariaDB data source beside the others fails.
bool mariadbInstalled();

// The one way a test body meets a database: false (the test skipped or failed with a message)
// when the body must not run; otherwise the database has fresh demo data.
bool prepareDatabase(const TestDb& db);

// Runs one step of a test; false when it failed fatally (an ASSERT) or threw, so that the
// steps that build on it are left out instead of running on a half-done set-up.
bool ranCleanly(const std::function<void()>& step);

// Base of the database tests: each test starts from a freshly reset database (prepareDatabase).
class DbTest : public ::testing::TestWithParam<TestDb> {
protected:
    void SetUp() override;
    const TestDb& db() const { return GetParam(); }
    bool isSqlite() const { return db().kind == QLatin1String("sqlite"); }
    // A new connection to the database of this run.
    std::unique_ptr<odbc::Connection> connect() { return connectTo(env, db()); }

    odbc::Environment env;
};

// What testDatabases() gives, plus a placeholder (a TestDb without a data source) that makes
// prepareDatabase skip or fail: for PostgreSQL when it is installed but not configured, or
// for any database when none is.
std::vector<TestDb> testDatabaseParams();
std::string testDbName(const ::testing::TestParamInfo<TestDb>& info);

// Runs the TEST_P bodies of `suite` (a DbTest) on every configured database, named by kind.
#define EDI_DB_TEST_SUITE(suite)                                                                   \
    INSTANTIATE_TEST_SUITE_P(Db, suite, ::testing::ValuesIn(testDatabaseParams()), testDbName)
