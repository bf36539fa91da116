#include "platform/odbc/error.h"
#include "platform/odbc/jet.h"
#include <gtest/gtest.h>

using odbc::translateJet;

namespace {
std::string jet(const char* sql) {
    return translateJet(QString::fromUtf8(sql)).toStdString();
}
} // namespace

TEST(TranslateJet, TimeLiteralsBecomeTimeEscapes) {
    EXPECT_EQ(jet("WHERE 起動時刻=#09:30#"), "WHERE 起動時刻={t '09:30:00'}");
    EXPECT_EQ(jet("WHERE 起動時刻=#9:05#"), "WHERE 起動時刻={t '09:05:00'}");
    EXPECT_EQ(jet("a=#23:59:58# AND b=#00:00#"), "a={t '23:59:58'} AND b={t '00:00:00'}");
    EXPECT_EQ(jet("a=#9:30 PM#"), "a={t '21:30:00'}");
    EXPECT_EQ(jet("a=#12:00 AM#"), "a={t '00:00:00'}");
}

TEST(TranslateJet, DatesAndDateTimes) {
    EXPECT_EQ(jet("d=#2024/1/2#"), "d={d '2024-01-02'}");
    EXPECT_EQ(jet("d=#2024-12-31#"), "d={d '2024-12-31'}");
    EXPECT_EQ(jet("d=#1/2/2024#"), "d={d '2024-01-02'}"); // Jet's own month/day/year
    EXPECT_EQ(jet("d=#2024/02/29 7:08#"), "d={ts '2024-02-29 07:08:00'}");
}

TEST(TranslateJet, WhatIsNoDateOrTimeStaysAsWritten) {
    EXPECT_EQ(jet("a=#25:00#"), "a=#25:00#");
    EXPECT_EQ(jet("a=#09:60#"), "a=#09:60#");
    EXPECT_EQ(jet("d=#2023/02/29#"), "d=#2023/02/29#");
    EXPECT_EQ(jet("a=#abc# OR b=#"), "a=#abc# OR b=#");
    EXPECT_EQ(jet("x # y"), "x # y");
    // The second '#' of a non-literal can still open a literal.
    EXPECT_EQ(jet("#x#10:00#"), "#x{t '10:00:00'}");
}

TEST(TranslateJet, HalfWidthKanaInIdentifiersBecomeFullWidth) {
    EXPECT_EQ(jet("SELECT 区分名称 FROM 区分マスタ WHERE 区分= '曜日' AND 区分ｺｰﾄﾞ= '1'"),
              "SELECT 区分名称 FROM 区分マスタ WHERE 区分= '曜日' AND 区分コード= '1'");
    // Voiced and semi-voiced marks compose with the kana before them.
    EXPECT_EQ(jet("ｶﾞｲﾄﾞ ﾊﾟｽ"), "ガイド パス");
    EXPECT_EQ(jet("｢ｱ｣"), "「ア」");
}

TEST(TranslateJet, NothingInsideQuotesChanges) {
    EXPECT_EQ(jet("x='#09:30#' AND y=\"ｺｰﾄﾞ#10:00#\""), "x='#09:30#' AND y=\"ｺｰﾄﾞ#10:00#\"");
    // Doubled quotes stay inside; what follows the string is translated again.
    EXPECT_EQ(jet("x='it''s #09:30# ｶﾅ' AND t=#09:30# AND ｶﾅ=1"),
              "x='it''s #09:30# ｶﾅ' AND t={t '09:30:00'} AND カナ=1");
    EXPECT_EQ(jet("x=\"a\"\"#1:00#\" AND y=1"), "x=\"a\"\"#1:00#\" AND y=1");
    // An unterminated string runs to the end untouched.
    EXPECT_EQ(jet("x='ｶﾅ #09:30#"), "x='ｶﾅ #09:30#");
}

TEST(TranslateJet, UpdateTargetsLoseTheirTableName) {
    EXPECT_EQ(
        jet("UPDATE FL1912EDIスケジュールマスタ SET FL1912EDIスケジュールマスタ.曜日='火曜日',"
            " FL1912EDIスケジュールマスタ.起動時刻='9:30'"
            " WHERE FL1912EDIスケジュールマスタ.センターコード='C01'"
            " AND FL1912EDIスケジュールマスタ.起動時刻=#09:00#"),
        "UPDATE FL1912EDIスケジュールマスタ SET 曜日='火曜日', 起動時刻='9:30'"
        " WHERE FL1912EDIスケジュールマスタ.センターコード='C01'"
        " AND FL1912EDIスケジュールマスタ.起動時刻={t '09:00:00'}");
    // Only the target table, and never inside quotes.
    EXPECT_EQ(jet("update t set t.a = 'x t.b', u.t.c = 1, tt.d = 2 where t.a = 1"),
              "update t set a = 'x t.b', u.t.c = 1, tt.d = 2 where t.a = 1");
    EXPECT_EQ(jet("SELECT t.a FROM t"), "SELECT t.a FROM t");
}

TEST(TranslateJet, PlainStatementsAreUnchanged) {
    const char* sql =
        "INSERT INTO FL1912EDIスケジュールマスタ (センターコード,送受信種別,曜日,起動時刻)"
        " VALUES ('C01','R','月曜日','09:30')";
    EXPECT_EQ(jet(sql), sql);
    EXPECT_EQ(jet(""), "");
}

// PostgreSQL sorts Null as the highest value, Jet as the lowest.
TEST(TranslateJet, OrderByKeysSortNullLowestOnPostgreSql) {
    const auto pg = [](const char* sql) {
        return translateJet(QString::fromUtf8(sql), "PostgreSQL").toStdString();
    };
    const std::pair<const char*, const char*> cases[] = {
        {"SELECT a FROM t ORDER BY 区分マスタ.区分コード, t.b",
         "SELECT a FROM t ORDER BY 区分マスタ.区分コード NULLS FIRST, t.b NULLS FIRST"},
        {"select a from t order by a asc,b DESC", "select a from t order by a asc NULLS FIRST,"
                                                  "b DESC NULLS LAST"},
        {"SELECT a FROM t ORDER BY a NULLS LAST", "SELECT a FROM t ORDER BY a NULLS LAST"},
        {"SELECT * FROM (SELECT a FROM t ORDER BY f(a, 'x,y')) s WHERE a='ORDER BY'",
         "SELECT * FROM (SELECT a FROM t ORDER BY f(a, 'x,y') NULLS FIRST) s WHERE a='ORDER BY'"},
        {"SELECT recorder FROM t", "SELECT recorder FROM t"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(pg(in), out) << in;
    EXPECT_EQ(jet("SELECT a FROM t ORDER BY a"), "SELECT a FROM t ORDER BY a");
}

TEST(BindJet, EveryValueLeavesTheTextAsAParameter) {
    using T = odbc::Parameter::Type;
    const auto b = odbc::bindJet(
        "UPDATE FL1912EDIスケジュールマスタ SET FL1912EDIスケジュールマスタ.起動時刻='9:30'"
        " WHERE センターコード='\\'' OR 1=1#' AND 区分ｺｰﾄﾞ='it''s ｶﾅ #1:00#'"
        " AND 起動時刻=#09:00# AND d=#2024/1/2# AND ts=#2024/02/29 7:08# AND e=''",
        "MariaDB");
    EXPECT_EQ(b.text.toStdString(),
              "UPDATE FL1912EDIスケジュールマスタ SET 起動時刻=? WHERE センターコード=?"
              " AND 区分コード=? AND 起動時刻=? AND d=? AND ts=? AND e=?");
    EXPECT_EQ(b.parameters, (std::vector<odbc::Parameter>{{T::Text, "9:30"},
                                                          {T::Text, "\\' OR 1=1#"},
                                                          {T::Text, "it's ｶﾅ #1:00#"},
                                                          {T::Time, "09:00:00"},
                                                          {T::Date, "2024-01-02"},
                                                          {T::Timestamp, "2024-02-29 07:08:00"},
                                                          {T::Text, ""}}));
    // PostgreSQL's Null order still applies to the text with markers.
    EXPECT_EQ(odbc::bindJet(" select a from t where b='x' ORDER BY a", "PostgreSQL").text,
              " select a from t where b=? ORDER BY a NULLS FIRST");
    // Schema statements cannot take parameters: their literals stay.
    const QString ddl = "CREATE TABLE t (a varchar(5) DEFAULT 'x' CHECK (a <> 'y'))";
    EXPECT_EQ(odbc::bindJet(ddl).text, ddl);
    EXPECT_TRUE(odbc::bindJet(ddl).parameters.empty());
    // A value that is never closed is the builder's fault, not something to send.
    EXPECT_THROW(odbc::bindJet("SELECT * FROM t WHERE a='x''"), odbc::MisuseError);
}
