// Writes that fail inside the database roll back and say so; two workstations saving one row.
#include "platform/forms/runtime.h"
#include "platform/odbc/connection.h"
#include "shell/workarea.h"
#include "support/app/schedule_fixture.h"
#include <thread>

namespace {

const QString kUpdateError = "更新時にｴﾗｰがあった為,ﾃﾞｰﾀの更新は中止しました";

// Makes every write of the schedule table fail inside the database.
void blockWrites(const TestDb& db) {
    if (db.kind == "postgresql") {
        AppFixture::execOn(db, "CREATE OR REPLACE FUNCTION edi_block() RETURNS trigger AS $$ BEGIN "
                               "RAISE EXCEPTION 'writes blocked'; END $$ LANGUAGE plpgsql");
        AppFixture::execOn(db,
                           "CREATE TRIGGER edi_block BEFORE INSERT OR UPDATE OR DELETE ON "
                           "FL1912EDIスケジュールマスタ FOR EACH ROW EXECUTE FUNCTION edi_block()");
    } else if (db.kind == "mariadb") {
        for (const char* op : {"INSERT", "UPDATE", "DELETE"})
            AppFixture::execOn(
                db, QString("CREATE TRIGGER edi_block_%1 BEFORE %1 ON FL1912EDIスケジュールマスタ "
                            "FOR EACH ROW SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = "
                            "'writes blocked'")
                        .arg(op));
    } else {
        for (const char* op : {"INSERT", "UPDATE", "DELETE"})
            AppFixture::execOn(
                db, QString("CREATE TRIGGER edi_block_%1 BEFORE %1 ON FL1912EDIスケジュールマスタ "
                            "BEGIN SELECT RAISE(ABORT, 'writes blocked'); END")
                        .arg(op));
    }
}

TEST_F(ScheduleScreen, FailedSaveRollsBackAndKeepsTheEntry) {
    onEachDatabase([&](const TestDb& db) {
        enterHeader("C17", "R");
        blockWrites(db);
        focus(f().Jikoku);
        type("0930");
        answers = {6};
        key(Qt::Key_Return);
        EXPECT_EQ(messages, (QStringList{"この内容で更新しますか", kUpdateError}));
        EXPECT_EQ(styles.back(), 0);
        EXPECT_FALSE(workarea::g_DbConn->inTransaction());
        EXPECT_EQ(f().Jikoku->text(), "09:30");
        EXPECT_EQ(forms::mousePointer(), 0);
        EXPECT_TRUE(storedRows("C17", "R").isEmpty());
    });
}

TEST_F(ScheduleScreen, FailedDeleteLeavesTheRow) {
    onEachDatabase([&](const TestDb& db) {
        enterHeader("C05", "R");
        blockWrites(db);
        answers = {1};
        QTest::mouseClick(f().Cmd_sakujyo->widget(), Qt::LeftButton);
        EXPECT_EQ(messages, (QStringList{"削除してよろしいですか", kUpdateError}));
        EXPECT_FALSE(workarea::g_DbConn->inTransaction());
        EXPECT_EQ(storedRows("C05", "R"), QStringList{"木曜日|10:00"});
        // The connection is still usable afterwards.
        messages.clear();
        focus(f().YOUBI);
        key(Qt::Key_Escape);
        enterHeader("C02", "R");
        EXPECT_EQ(gridLines().size(), 3);
    });
}

TEST_F(ScheduleScreen, DatabaseErrorInACheckKeepsTheScreen) {
    onEachDatabase([&](const TestDb& db) {
        execOn(db, "DROP TABLE FL1912EDIスケジュールマスタ");
        enterHeader("C01", "R"); // the list cannot be read
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages[0].startsWith("データベースの処理でエラーが発生しました"));
        EXPECT_EQ(endStatus, -1);
        EXPECT_TRUE(f().isShown());
    });
}

TEST_F(ScheduleScreen, TwoWorkstationsSavingOneRowStoreItOnce) {
    onEachDatabase([&](const TestDb& db) {
        if (db.kind == "sqlite") {
            // SQLite lets one writer at a time in, so the race is staged inside the database:
            // the same row appears after the look-up, just before the program's INSERT.
            execOn(db, "CREATE TRIGGER edi_race BEFORE INSERT ON FL1912EDIスケジュールマスタ "
                       "WHEN NEW.起動時刻 = '09:30' BEGIN INSERT INTO FL1912EDIスケジュールマスタ "
                       "(センターコード,送受信種別,曜日,起動時刻) VALUES (NEW.センターコード,"
                       "NEW.送受信種別,NEW.曜日,'09:30:00'); END");
            enterHeader("C17", "R");
            focus(f().Jikoku);
            type("0930");
            answers = {6};
            key(Qt::Key_Return);
            EXPECT_EQ(messages, (QStringList{"この内容で更新しますか",
                                             "EDIスケジュールマスタが登録されています"}));
            EXPECT_FALSE(workarea::g_DbConn->inTransaction());
            EXPECT_TRUE(storedRows("C17", "R").isEmpty()); // the whole statement was undone
            return;
        }
        enterHeader("C17", "R");
        focus(f().Jikoku);
        type("0930");
        odbc::Environment env;
        odbc::Connection other(env);
        other.open(db.connStr);
        std::thread committer;
        // While the operator answers the question, the other workstation writes the same row
        // and commits a moment later, when this save already waits on the key.
        forms::setMsgBoxHandler([&](const QString& prompt, int, const QString&) {
            messages << prompt;
            if (prompt == "この内容で更新しますか") {
                other.beginTrans();
                other.execute("INSERT INTO FL1912EDIスケジュールマスタ (センターコード,送受信種別,"
                              "曜日,起動時刻) VALUES ('C17','R','月曜日','09:30')");
                committer = std::thread([&] {
                    std::this_thread::sleep_for(std::chrono::milliseconds(500));
                    other.commitTrans();
                });
                return 6;
            }
            return 1;
        });
        key(Qt::Key_Return);
        committer.join();
        // The unique key refuses the second row, and the operator is told why.
        EXPECT_EQ(messages, (QStringList{"この内容で更新しますか",
                                         "EDIスケジュールマスタが登録されています"}));
        EXPECT_FALSE(workarea::g_DbConn->inTransaction());
        EXPECT_EQ(storedRows("C17", "R"), QStringList{"月曜日|09:30"});
    });
}

} // namespace
