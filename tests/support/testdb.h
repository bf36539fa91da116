#pragma once
// The test databases that scripts/testdb-up prepares, and a fixture that runs one set of test
// bodies on each of them.
#include "platform/odbc/connection.h"
#include "support/qtprint.h"
#include <QString>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <vector>

struct TestDb {
    QString dsn;
    QString kind;    // "sqlite" or "postgresql"
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

// Base of the database tests: each test starts from a freshly reset database; without any
// configured database the tests are skipped with a message.
class DbTest : public ::testing::TestWithParam<TestDb> {
protected:
    void SetUp() override;
    const TestDb& db() const { return GetParam(); }
    bool isSqlite() const { return db().kind == QLatin1String("sqlite"); }
    // A new connection to the database of this run.
    std::unique_ptr<odbc::Connection> connect() { return connectTo(env, db()); }

    odbc::Environment env;
};

// What testDatabases() gives, or one placeholder that makes DbTest skip when it is empty.
std::vector<TestDb> testDatabaseParams();
std::string testDbName(const ::testing::TestParamInfo<TestDb>& info);

// Runs the TEST_P bodies of `suite` (a DbTest) on every configured database, named by kind.
#define EDI_DB_TEST_SUITE(suite)                                                                   \
    INSTANTIATE_TEST_SUITE_P(Db, suite, ::testing::ValuesIn(testDatabaseParams()), testDbName)
