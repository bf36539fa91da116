// What a connection leaves behind when a driver fails at the edges of a session: a reconnect
// whose lock time-out is refused, and a commit after which autocommit cannot be switched back
// on (the scripted driver fails exactly those calls). Also the link time-out that psqlODBC
// data sources get.
#include "platform/odbc/connection.h"
#include "platform/odbc/driver_options.h"
#include <dlfcn.h>
#include <gtest/gtest.h>

namespace {

struct ScriptedDriver {
    // Only once the driver manager has loaded it.
    void attach() { handle = dlopen(EDI_SCRIPTED_DRIVER, RTLD_NOW | RTLD_NOLOAD); }
    ~ScriptedDriver() {
        if (handle) dlclose(handle);
    }
    void call(const char* name) const { reinterpret_cast<void (*)()>(dlsym(handle, name))(); }
    int count(const char* name) const { return reinterpret_cast<int (*)()>(dlsym(handle, name))(); }
    void* handle = nullptr;
};

class Session : public ::testing::Test {
protected:
    void SetUp() override {
        c.setLockTimeout(5);
        c.open(QStringLiteral("Driver=" EDI_SCRIPTED_DRIVER ";"));
        driver.attach();
        ASSERT_NE(driver.handle, nullptr) << "the driver manager did not load the driver";
    }
    odbc::Environment env;
    odbc::Connection c{env};
    ScriptedDriver driver;
};

TEST_F(Session, AReconnectWhoseLockTimeOutIsRefusedIsNotUsed) {
    driver.call("scripted_lose_next_statement");
    EXPECT_THROW(c.execute(QStringLiteral("UPDATE t SET a = 1")), odbc::Error);
    driver.call("scripted_refuse_lock_timeout");
    EXPECT_THROW(c.execute(QStringLiteral("UPDATE t SET a = 2")), odbc::Error);
    // The next write runs on a session that has its lock time-out, never on the one without.
    EXPECT_NO_THROW(c.execute(QStringLiteral("UPDATE t SET a = 3")));
    EXPECT_EQ(driver.count("scripted_without_lock_timeout"), 0);
}

TEST_F(Session, ACommitStandsWhenAutocommitCannotBeSwitchedBackOn) {
    odbc::Transaction transaction(c);
    c.execute(QStringLiteral("INSERT INTO t VALUES (1)"));
    driver.call("scripted_refuse_autocommit_on");
    EXPECT_NO_THROW(transaction.commit()); // the work is stored: no failure to report
    EXPECT_FALSE(c.inTransaction());
    // The next read does not run inside a transaction nobody ends.
    c.openResultSet(QStringLiteral("SELECT 1"), odbc::CursorType::Keyset,
                    odbc::Concurrency::ReadOnly);
    EXPECT_EQ(driver.count("scripted_in_manual_commit"), 0);
}

TEST(DriverOptions, PsqlodbcGetsItsLinkTimeOutSessionTimeOutsAndPlainReads) {
    const QString plain = "UseDeclareFetch=0;UseServerSidePrepare=0;Protocol=7.4-1;KeepaliveTime=4;"
                          "KeepaliveInterval=4;pqopt={";
    const QString mine = "keepalives_idle=4 keepalives_interval=4 keepalives_count=3 "
                         "tcp_user_timeout=12000";
    const QString timeouts = " options='-c statement_timeout=300000 -c lock_timeout=5000'";
    const struct {
        QString connection, dsnPqopt, expected;
        bool timeoutsInSession;
    } cases[] = {
        {"DSN=EDI;UID=edi;PWD=;", "", "DSN=EDI;UID=edi;PWD=;" + plain + mine + timeouts + "};",
         true},
        // The data source's own options are kept, before the program's (libpq keeps the last).
        {"DSN=EDI;UID=edi;PWD=;", "sslrootcert=/etc/ca.pem keepalives_idle=60",
         "DSN=EDI;UID=edi;PWD=;" + plain + "sslrootcert=/etc/ca.pem keepalives_idle=60 " + mine +
             timeouts + "};",
         true},
        // The string's own pqopt and driver settings give way; a "}" in it stays one.
        {"DSN=EDI;KeepaliveTime=60;UseDeclareFetch=1;pqopt={application_name='a}}b'};PWD={x;y}",
         "ignored",
         "DSN=EDI;PWD={x;y};" + plain + "application_name='a}}b' " + mine + timeouts + "};", true},
        // Session options of the data source's own stay; the time-outs are then set by statements.
        {"DSN=EDI;", "options='-c search_path=edi'",
         "DSN=EDI;" + plain + "options='-c search_path=edi' " + mine + "};", false},
    };
    for (const auto& c : cases) {
        const auto out = odbc::detail::addPsqlodbcOptions(c.connection, c.dsnPqopt, {12, 300, 5});
        EXPECT_EQ(out.connectionString, c.expected) << c.connection.toStdString();
        EXPECT_EQ(out.timeoutsInSession, c.timeoutsInSession) << c.connection.toStdString();
    }
    // Other drivers are left alone.
    EXPECT_EQ(odbc::detail::withDriverOptions("Driver=/usr/lib/libsqlite3odbc.so;", {12, 300, 5})
                  .connectionString,
              "Driver=/usr/lib/libsqlite3odbc.so;");
}

} // namespace
