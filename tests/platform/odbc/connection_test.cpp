#include "support/testdb.h"
#include <QElapsedTimer>

using odbc::Concurrency;
using odbc::CursorType;

namespace {

class ConnectionTest : public DbTest {
protected:
    long count(odbc::Connection& c, const QString& where) {
        auto rs = c.openResultSet("SELECT COUNT(*) FROM FL1912EDIスケジュールマスタ WHERE " + where,
                                  CursorType::Keyset, Concurrency::ReadOnly);
        return rs->value(0)->toLong();
    }
    const QString c01 = "センターコード='C01'";
};
EDI_DB_TEST_SUITE(ConnectionTest);

TEST_P(ConnectionTest, ExecuteReportsAffectedRows) {
    auto c = connect();
    EXPECT_EQ(c->dbmsName(), isSqlite()               ? "SQLite"
                             : db().kind == "mariadb" ? "MariaDB"
                                                      : "PostgreSQL");
    EXPECT_EQ(c->execute("UPDATE FL1903EDI制御マスタ SET 実行端末名='EDI-PC03'"
                         " WHERE 実行端末名='EDI-PC02'"),
              9);
    EXPECT_EQ(c->execute("DELETE FROM FL1912EDIスケジュールマスタ WHERE センターコード='X'"), 0);
    EXPECT_EQ(c->execute("DELETE FROM FL1912EDIスケジュールマスタ WHERE " + c01), 7);
}

TEST_P(ConnectionTest, BrokenUniqueKeyIsSqlStateClass23) {
    auto c = connect();
    const QString insert =
        "INSERT INTO FL1912EDIスケジュールマスタ (センターコード,送受信種別,曜日,起動時刻)"
        " VALUES ('C01','R','月曜日','%1')";
    for (const char* time : {"09:00", "9:00"}) {
        try {
            c->execute(QString(insert).arg(time));
            ADD_FAILURE() << "duplicate " << time << " was accepted";
        } catch (const odbc::Error& e) {
            EXPECT_TRUE(e.sqlState().startsWith("23")) << e.what();
            EXPECT_FALSE(e.message().isEmpty());
        }
    }
    EXPECT_EQ(c->execute(QString(insert).arg("09:01")), 1); // the connection still works
}

TEST_P(ConnectionTest, FailuresCarryTheDriversSqlState) {
    auto c = connect();
    try {
        c->execute("SELEC 1");
        ADD_FAILURE() << "a syntax error was accepted";
    } catch (const odbc::Error& e) {
        EXPECT_EQ(e.sqlState().size(), 5);
        EXPECT_FALSE(e.sqlState().startsWith("23"));
    }
    EXPECT_THROW(
        c->openResultSet("SELECT * FROM 存在しない表", CursorType::Keyset, Concurrency::ReadOnly),
        odbc::Error);
    EXPECT_EQ(count(*c, c01), 7);
}

TEST_P(ConnectionTest, ASessionEndedByTheServerIsALostLink) {
    if (isSqlite()) GTEST_SKIP() << "SQLite has no link to lose";
    const bool pg = db().kind == "postgresql";
    auto c = connect();
    const QString id = c->openResultSet(pg ? "SELECT pg_backend_pid()" : "SELECT CONNECTION_ID()",
                                        CursorType::Keyset, Concurrency::ReadOnly)
                           ->value(0)
                           .value_or("0");
    connect()->execute(pg ? "SELECT pg_terminate_backend(" + id + ")" : "KILL " + id);
    try {
        c->execute("UPDATE FL1903EDI制御マスタ SET 実行端末名='X' WHERE センターコード='C99'");
        ADD_FAILURE() << "a statement ran on a killed session";
    } catch (const odbc::Error& e) {
        // Read from the error alone, not from the driver's own flag.
        EXPECT_TRUE(odbc::isLinkFailure(e))
            << e.sqlState().toStdString() << " " << e.nativeCode() << " " << e.what();
    }
    EXPECT_TRUE(c->linkLost());
    EXPECT_EQ(count(*c, c01), 7); // the next statement connects again
}

TEST_P(ConnectionTest, RollbackUndoesAndCommitKeeps) {
    auto c = connect();
    auto observer = connect();
    c->beginTrans();
    EXPECT_TRUE(c->inTransaction());
    EXPECT_EQ(c->execute("DELETE FROM FL1912EDIスケジュールマスタ WHERE " + c01), 7);
    EXPECT_EQ(count(*c, c01), 0);
    EXPECT_EQ(count(*observer, c01), 7);
    c->rollbackTrans();
    EXPECT_FALSE(c->inTransaction());
    EXPECT_EQ(count(*c, c01), 7);

    c->beginTrans();
    c->execute("DELETE FROM FL1912EDIスケジュールマスタ WHERE " + c01 + " AND 送受信種別='S'");
    c->commitTrans();
    EXPECT_EQ(count(*observer, c01), 5);
    // Back in autocommit: a later change is visible at once.
    c->execute("DELETE FROM FL1912EDIスケジュールマスタ WHERE " + c01);
    EXPECT_EQ(count(*observer, c01), 0);
}

TEST_P(ConnectionTest, ReadsAheadServeOnlyTheirOwnTurn) {
    auto c = connect();
    const QString sql = "SELECT COUNT(*) FROM FL1912EDIスケジュールマスタ WHERE ";
    c->readAhead({sql + c01, sql + "送受信種別='R'"});
    EXPECT_EQ(count(*c, c01), 7);
    // Any other statement drops what was read ahead: the count is read again, not served stale.
    EXPECT_EQ(c->execute("DELETE FROM FL1912EDIスケジュールマスタ WHERE 送受信種別='R'"), 9);
    EXPECT_EQ(count(*c, "送受信種別='R'"), 0);
    // A commit travels with the transaction's last statement.
    odbc::Transaction transaction(*c);
    EXPECT_EQ(c->execute("DELETE FROM FL1912EDIスケジュールマスタ WHERE " + c01 + " AND 1=0"), 0);
    EXPECT_EQ(transaction.commitWith("DELETE FROM FL1912EDIスケジュールマスタ WHERE " + c01), 2);
    EXPECT_FALSE(c->inTransaction());
    auto observer = connect();
    EXPECT_EQ(count(*observer, c01), 0);
}

TEST_P(ConnectionTest, QueryTimeOutAppliesToEveryStatement) {
    auto c = connect();
    c->setQueryTimeout(300); // what the program sets: both drivers must take it
    EXPECT_EQ(count(*c, c01), 7);
    EXPECT_EQ(c->execute("DELETE FROM FL1912EDIスケジュールマスタ WHERE " + c01), 7);
    if (isSqlite()) return; // the SQLite driver only uses it to wait for locks
    c->setQueryTimeout(1);
    QElapsedTimer timer;
    timer.start();
    EXPECT_THROW(
        c->openResultSet("SELECT pg_sleep(10)", CursorType::ForwardOnly, Concurrency::ReadOnly),
        odbc::Error);
    EXPECT_LT(timer.elapsed(), 5000);
}

TEST_P(ConnectionTest, TransactionMisuse) {
    auto c = connect();
    EXPECT_THROW(c->commitTrans(), odbc::MisuseError);
    EXPECT_NO_THROW(c->rollbackTrans());
    c->beginTrans();
    EXPECT_THROW(c->beginTrans(), odbc::MisuseError);
    c->rollbackTrans();
}

TEST_P(ConnectionTest, ClosingInsideATransactionRollsBack) {
    {
        auto c = connect();
        c->beginTrans();
        c->execute("DELETE FROM FL1912EDIスケジュールマスタ");
    }
    auto c = connect();
    EXPECT_EQ(count(*c, c01), 7);
}

TEST_P(ConnectionTest, StatementLogSeesTheCallersText) {
    QStringList seen;
    odbc::Connection::setStatementLog([&](const QString& sql) { seen << sql; });
    auto c = connect();
    const QString select =
        "SELECT 区分名称 FROM 区分マスタ WHERE 区分= '送受信種別' AND 区分ｺｰﾄﾞ= 'R'";
    const QString update = "UPDATE FL1912EDIスケジュールマスタ SET 起動時刻='10:00' WHERE " + c01 +
                           " AND 起動時刻=#9:30#";
    EXPECT_EQ(c->openResultSet(select, CursorType::Keyset, Concurrency::ReadOnly)->value(0),
              "受信");
    EXPECT_EQ(c->execute(update), 1);
    odbc::Connection::setStatementLog({});
    c->execute("DELETE FROM FL1912EDIスケジュールマスタ");
    EXPECT_EQ(seen, QStringList({select, update}));
}

} // namespace
