#include "support/testdb.h"
#include <QStringList>

using odbc::Concurrency;
using odbc::CursorType;
using odbc::MisuseError;

namespace {

class ResultSetTest : public DbTest {
protected:
    std::unique_ptr<odbc::ResultSet> read(const QString& sql) {
        if (!connection) connection = connect();
        return connection->openResultSet(sql, CursorType::Keyset, Concurrency::ReadOnly);
    }
    std::unique_ptr<odbc::Connection> connection;
};
EDI_DB_TEST_SUITE(ResultSetTest);

const QStringList weekDays = {"月曜日", "火曜日", "水曜日", "木曜日", "金曜日", "土曜日", "日曜日"};

TEST_P(ResultSetTest, MovesForwardAndBackOverTheRows) {
    auto rs =
        read("SELECT 区分コード, 区分名称 FROM 区分マスタ WHERE 区分 = '曜日' ORDER BY 区分コード");
    ASSERT_FALSE(rs->eof());
    EXPECT_FALSE(rs->bof());
    EXPECT_EQ(rs->position(), 0);
    EXPECT_EQ(rs->fetchedRows(), 1);

    QStringList names;
    for (; !rs->eof(); rs->moveNext())
        names << rs->value(1).value_or("(null)");
    EXPECT_EQ(names, weekDays);
    EXPECT_EQ(rs->position(), -1);
    EXPECT_TRUE(rs->allFetched());
    EXPECT_THROW(rs->moveNext(), MisuseError);
    EXPECT_THROW(rs->value(0), MisuseError);

    rs->movePrevious();
    EXPECT_EQ(rs->value(1), "日曜日");
    EXPECT_EQ(rs->position(), 6);
    rs->moveFirst();
    EXPECT_EQ(rs->value(0), "1");
    rs->movePrevious();
    EXPECT_TRUE(rs->bof());
    EXPECT_FALSE(rs->eof());
    EXPECT_THROW(rs->movePrevious(), MisuseError);
    EXPECT_THROW(rs->value(0), MisuseError);
    rs->moveNext();
    EXPECT_EQ(rs->value(1), "月曜日");

    EXPECT_TRUE(rs->moveTo(3));
    EXPECT_EQ(rs->value(1), "木曜日");
    EXPECT_FALSE(rs->moveTo(7));
    EXPECT_TRUE(rs->eof());
    EXPECT_FALSE(rs->moveTo(-1));
    EXPECT_TRUE(rs->eof());
}

TEST_P(ResultSetTest, FetchesRowsOnlyAsTheyAreNeeded) {
    auto rs = read("SELECT センターコード FROM FL1903EDI制御マスタ ORDER BY センターコード");
    EXPECT_EQ(rs->fetchedRows(), 1);
    ASSERT_TRUE(rs->moveTo(4));
    EXPECT_EQ(rs->fetchedRows(), 5);
    EXPECT_EQ(rs->fetchMore(3), 3);
    EXPECT_EQ(rs->fetchedRows(), 8);
    EXPECT_EQ(rs->position(), 4);
    EXPECT_EQ(rs->valueAt(7, 0), "C07");
    EXPECT_THROW(rs->valueAt(8, 0), MisuseError);
    EXPECT_EQ(rs->fetchMore(100), 12);
    EXPECT_TRUE(rs->allFetched());
    EXPECT_EQ(rs->fetchMore(1), 0);
    EXPECT_EQ(rs->valueAt(19, 0), "CENTER000012");
}

TEST_P(ResultSetTest, EmptyResultIsAtBothEnds) {
    auto rs = read("SELECT * FROM 区分マスタ WHERE 区分 = 'なし'");
    EXPECT_TRUE(rs->eof());
    EXPECT_TRUE(rs->bof());
    EXPECT_EQ(rs->position(), -1);
    EXPECT_EQ(rs->columnCount(), 3);
    EXPECT_EQ(rs->columnName(2).toLower(), "区分名称");
    rs->moveFirst();
    EXPECT_TRUE(rs->eof());
    EXPECT_FALSE(rs->moveTo(0));
    EXPECT_THROW(rs->value(0), MisuseError);
    EXPECT_THROW(rs->moveNext(), MisuseError);
}

TEST_P(ResultSetTest, NullIsNotEmptyText) {
    auto rs = read("SELECT センターコード, センター名, RLY受信ファイルパス, RLY送信ファイルパス"
                   " FROM FL1903EDI制御マスタ WHERE センターコード IN ('C13', 'C04', 'C09', 'C14')"
                   " ORDER BY センターコード");
    ASSERT_EQ(rs->value(0), "C04");
    EXPECT_EQ(rs->value(2), QString(""));
    EXPECT_EQ(rs->value(3), "/edi/rly/c04/send");
    rs->moveNext();
    EXPECT_EQ(rs->value(2), "   ");
    rs->moveNext();
    ASSERT_EQ(rs->value(0), "C13");
    EXPECT_EQ(rs->value(1), std::nullopt);
    rs->moveNext();
    EXPECT_EQ(rs->value(1), "ｶﾅ物流ｾﾝﾀｰ"); // values are never normalised
}

TEST_P(ResultSetTest, ColumnsByNameIgnoreCase) {
    auto rs = read("SELECT センターコード, RLY受信ファイルパス, 実行端末名 AS Terminal"
                   " FROM FL1903EDI制御マスタ WHERE センターコード = 'C01'");
    EXPECT_EQ(rs->columnCount(), 3);
    EXPECT_EQ(rs->columnName(1).compare("RLY受信ファイルパス", Qt::CaseInsensitive), 0);
    EXPECT_EQ(rs->value("rly受信ファイルパス"), "/edi/rly/c01/recv");
    EXPECT_EQ(rs->value("RLY受信ファイルパス"), "/edi/rly/c01/recv");
    EXPECT_EQ(rs->value("TERMINAL"), "EDI-PC01");
    EXPECT_THROW(rs->value("センター名"), MisuseError);
    EXPECT_THROW(rs->value(3), MisuseError);
    EXPECT_THROW(rs->value(-1), MisuseError);
    EXPECT_THROW(rs->columnName(3), MisuseError);
}

TEST_P(ResultSetTest, LongValuesArriveWhole) {
    // Much longer than one read buffer, with three-byte characters across the piece borders.
    const QString sql = isSqlite() ? "SELECT replace(hex(zeroblob(5000)), '00', 'あい') || 'x'"
                        : db().kind == "mariadb" ? "SELECT concat(repeat('あい', 5000), 'x')"
                                                 : "SELECT repeat('あい', 5000) || 'x'";
    auto rs = read(sql);
    EXPECT_EQ(rs->value(0), QString("あい").repeated(5000) + "x");
}

TEST_P(ResultSetTest, UpdatableRequestReadsLikeReadOnly) {
    auto c = connect();
    const QString sql = "SELECT * FROM FL1912EDIスケジュールマスタ WHERE センターコード='C02'"
                        " ORDER BY 起動時刻";
    auto rs = c->openResultSet(sql, CursorType::Dynamic, Concurrency::RowVer);
    QStringList times;
    for (; !rs->eof(); rs->moveNext())
        times << *rs->value("起動時刻");
    EXPECT_EQ(times, QStringList({"06:00:00", "07:15:00", "23:30:00"}));
    rs->moveFirst();
    EXPECT_EQ(rs->value("曜日"), "土曜日");
}

TEST_P(ResultSetTest, ClosingEndsReading) {
    auto rs = read("SELECT 区分名称 FROM 区分マスタ");
    rs->close();
    EXPECT_FALSE(rs->isOpen());
    EXPECT_THROW(rs->eof(), MisuseError);
    EXPECT_THROW(rs->value(0), MisuseError);
    rs->close();

    // The connection closes what is still open on it; the set outlives it safely.
    auto other = read("SELECT 区分名称 FROM 区分マスタ");
    connection->close();
    EXPECT_FALSE(other->isOpen());
    connection.reset();
    EXPECT_THROW(other->moveNext(), MisuseError);
}

} // namespace
