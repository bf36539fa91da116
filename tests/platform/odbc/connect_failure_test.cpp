// Every way of not reaching the database must end in odbc::Error, quickly: the program shows
// its connection message instead of hanging or asking the operator anything.
#include "support/testdb.h"
#include <QElapsedTimer>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr qint64 limitMs = 5000;

// Opens `connStr` with the login time-out the program uses; the failure's SQLSTATE, or "ok".
QString failureOf(const QString& connStr, qint64* elapsedMs, int loginTimeout = 120) {
    odbc::Environment env;
    odbc::Connection c(env);
    c.setLoginTimeout(loginTimeout);
    QElapsedTimer timer;
    timer.start();
    QString result = "ok";
    try {
        c.open(connStr);
    } catch (const odbc::Error& e) {
        result = e.sqlState();
    }
    *elapsedMs = timer.elapsed();
    return result;
}

TEST(ConnectFailure, UnknownDataSource) {
    qint64 ms = 0;
    EXPECT_EQ(failureOf("DSN=EDI_NO_SUCH_DSN;UID=EDIUSR;PWD=;", &ms), "IM002");
    EXPECT_LT(ms, limitMs);
}

class ConnectFailureTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (!IsSkipped() && db().kind != "postgresql") GTEST_SKIP() << "a PostgreSQL case";
    }
    QString serverless(const QString& host, int port) {
        return QString("Driver={PostgreSQL Unicode};Servername=%1;Port=%2;Database=edi_test;"
                       "UID=postgres;PWD=;SSLmode=disable")
            .arg(host)
            .arg(port);
    }
};
EDI_DB_TEST_SUITE(ConnectFailureTest);

TEST_P(ConnectFailureTest, WrongPassword) {
    const QString user = qEnvironmentVariable("EDI_TEST_PG_AUTH_USER");
    const QString password = qEnvironmentVariable("EDI_TEST_PG_AUTH_PASSWORD");
    if (user.isEmpty()) return missingDatabase("EDI_TEST_PG_AUTH_USER is not set");
    const QString base = QString("DSN=%1;UID=%2;PWD=%3;").arg(db().dsn, user);
    qint64 ms = 0;
    EXPECT_EQ(failureOf(base.arg(password), &ms), "ok"); // the user exists and can log in
    EXPECT_NE(failureOf(base.arg("wrong"), &ms), "ok");
    EXPECT_LT(ms, limitMs);
}

TEST_P(ConnectFailureTest, ServerNotRunning) {
    qint64 ms = 0;
    const QString noSocket = qEnvironmentVariable("EDI_TEST_DIR", "/tmp") + "/no-server";
    EXPECT_NE(failureOf(serverless(noSocket, 5432), &ms), "ok");
    EXPECT_LT(ms, limitMs);
    EXPECT_NE(failureOf(serverless("127.0.0.1", 1), &ms), "ok");
    EXPECT_LT(ms, limitMs);
}

TEST_P(ConnectFailureTest, LoginTimeOutEndsASilentServer) {
    // A listener that never accepts: the connection opens but no server ever answers.
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(listener, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), length), 0);
    ASSERT_EQ(::listen(listener, 4), 0);
    ASSERT_EQ(::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length), 0);
    qint64 ms = 0;
    EXPECT_NE(failureOf(serverless("127.0.0.1", ntohs(address.sin_port)), &ms, 2), "ok");
    ::close(listener);
    EXPECT_GE(ms, 1500);
    EXPECT_LT(ms, limitMs);
}

} // namespace
