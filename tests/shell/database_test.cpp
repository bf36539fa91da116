// The statement routines and the code-table look-ups on each configured database.
#include "platform/forms/controls.h"
#include "platform/forms/form.h"
#include "platform/odbc/connection.h"
#include "shell/database.h"
#include "shell/workarea.h"
#include "support/app/app_fixture.h"
#include "support/testdb.h"

using namespace workarea;

namespace {

class Statements : public AppFixture {
protected:
    void TearDown() override {
        g_DbConn.reset();
        AppFixture::TearDown();
    }
    template <class Check> void onEachDatabase(Check check) {
        eachDatabase(
            [&](const TestDb& db) {
                g_DbIni.DbString = "  " + db.dsn + "  ";
                g_DbIni.UserId = db.kind == "mariadb"
                                     ? qEnvironmentVariable("EDI_TEST_MARIADB_USER")
                                     : QString("postgres");
                g_DbIni.Passwd = "";
                ASSERT_TRUE(database::Open_Db());
                EXPECT_EQ(g_ConnStr, "DSN=" + db.dsn + ";UID=" + g_DbIni.UserId + ";PWD=;");
                check(db);
            },
            [] { g_DbConn.reset(); });
    }
};

TEST_F(Statements, ReadAndUpdatableOpensSetTheStatus) {
    onEachDatabase([&](const TestDb&) {
        database::RecordSet rs;
        g_SQL = "SELECT * FROM 区分マスタ WHERE 区分='曜日' ORDER BY 区分コード";
        database::Open_RsRead(rs);
        EXPECT_EQ(g_RsStatus, "0");
        EXPECT_EQ(rs->value(QString("区分名称")), QString("月曜日"));
        rs->close();
        g_SQL = "SELECT * FROM 区分マスタ WHERE 区分='無い区分'";
        database::Open_RsUpd(rs);
        EXPECT_EQ(g_RsStatus, "9");
        EXPECT_TRUE(rs->isOpen()); // an empty result set stays open for the caller
        EXPECT_TRUE(rs->eof());
        rs->close();
        g_SQL = "SELECT * FROM FL1903EDI制御マスタ";
        database::RecordSet ado;
        database::Open_AdoRs(ado);
        EXPECT_EQ(g_RsStatus, "0");
        EXPECT_GE(ado->columnCount(), 7);
    });
}

TEST_F(Statements, FailedOpenKeepsTheStatusAndThrows) {
    onEachDatabase([&](const TestDb&) {
        g_RsStatus = "0";
        database::RecordSet rs;
        g_SQL = "SELECT * FROM 無いテーブル";
        EXPECT_THROW(database::Open_RsRead(rs), odbc::Error);
        EXPECT_EQ(g_RsStatus, "0");
    });
}

TEST_F(Statements, ExecSqlWritesThroughTheConnection) {
    onEachDatabase([&](const TestDb&) {
        g_SQL = "INSERT INTO FL1912EDIスケジュールマスタ (センターコード,送受信種別,曜日,起動時刻) "
                "VALUES ('TST','R','月曜日','9:30')";
        database::Exec_Sql();
        g_SQL = "SELECT * FROM FL1912EDIスケジュールマスタ WHERE センターコード='TST' AND "
                "起動時刻=#09:30#";
        database::RecordSet rs;
        database::Open_RsRead(rs);
        EXPECT_EQ(g_RsStatus, "0");
    });
}

TEST_F(Statements, KbnNameFindsCodesWithTheHalfWidthColumnName) {
    onEachDatabase([&](const TestDb&) {
        EXPECT_EQ(database::Get_KbnName("送受信種別", "R"), "受信");
        EXPECT_EQ(g_SQL,
                  "SELECT 区分名称 FROM 区分マスタ WHERE 区分= '送受信種別' AND 区分ｺｰﾄﾞ= 'R'");
        EXPECT_EQ(database::Get_KbnName("送受信種別", "X"), "");
        EXPECT_EQ(database::Get_KbnName("送受信種別", "'"), ""); // a quote cannot break it
        EXPECT_TRUE(messages.empty());
    });
}

TEST_F(Statements, SetKbnNameShowsTheNameOrSaysNotFound) {
    onEachDatabase([&](const TestDb&) {
        forms::Form form("F");
        auto* code = form.add<forms::TextBox>("Soujyu", 0, 0, 300, 300);
        auto* name = form.add<forms::Label>("lbl_Soujyu", 0, 0, 300, 300);
        int16_t status = 0;
        code->setText("S");
        database::Set_KbnName("送受信種別", code, name, status);
        EXPECT_EQ(name->caption(), "送信");
        EXPECT_EQ(status, 0);
        code->setText("Q");
        database::Set_KbnName("送受信種別", code, name, status);
        EXPECT_EQ(name->caption(), "");
        EXPECT_EQ(status, 9);
        EXPECT_EQ(messages, QStringList{"該当データがありませんでした"});
    });
}

} // namespace
