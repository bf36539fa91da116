// The schedule screen on a shared database: another workstation racing for the same row, a
// database that refuses, a lost link and a lock held elsewhere never lose or misfile a row.
#include "platform/forms/runtime.h"
#include "platform/odbc/connection.h"
#include "platform/odbc/resultset.h"
#include "shell/workarea.h"
#include "support/app/schedule_fixture.h"
#include "support/server.h"
#include <QElapsedTimer>
#include <stdexcept>

using workarea::g_DbConn;

namespace {

const QString kQuestion = "この内容で更新しますか";
const QString kUpdateError = "更新時にｴﾗｰがあった為,ﾃﾞｰﾀの更新は中止しました";
const QString kRegistered = "EDIスケジュールマスタが登録されています";
const QString kNotRegistered = "EDIスケジュールマスが登録されていません";

int countRows(const TestDb& db, const QString& where) {
    odbc::Environment env;
    auto c = connectTo(env, db);
    auto rs = c->openResultSet("SELECT count(*) FROM FL1912EDIスケジュールマスタ WHERE " + where,
                               odbc::CursorType::Keyset, odbc::Concurrency::ReadOnly);
    return rs->value(0).value_or("-1").toInt();
}

void selectDay(F_M352040& f, const QString& day) {
    for (int i = 0; i < f.YOUBI->listCount(); ++i)
        if (f.YOUBI->list(i) == day) f.YOUBI->setListIndex(i);
}

class SharedDatabase : public ScheduleScreen {
protected:
    // Puts a time into the fields, presses Enter and answers Yes to the question.
    void saveAs(const QString& time) {
        focus(f().Jikoku);
        f().Jikoku->setText(time);
        answers = {6};
        key(Qt::Key_Return);
    }
};

TEST_F(SharedDatabase, AFailedSetUpStillStartsInTheHeaderAndAnEmptyKeyIsNeverWritten) {
    eachDatabase(
        [&](const TestDb& testDb) {
            execOn(testDb, "DROP TABLE 区分マスタ"); // the day list cannot be read
            start(testDb);
            ASSERT_EQ(messages.size(), 1);
            EXPECT_TRUE(messages[0].startsWith("データベースの処理でエラーが発生しました"));
            EXPECT_EQ(common::g_Mode, "HEAD");
            EXPECT_TRUE(f().Center_CD->enabled());
            EXPECT_TRUE(f().Soujyu->enabled());
            EXPECT_FALSE(f().YOUBI->enabled());
            EXPECT_FALSE(f().Jikoku->enabled());
            EXPECT_FALSE(f().Cmd_tuika->enabled());
            EXPECT_FALSE(f().Cmd_sakujyo->enabled());
            // However a save is reached, an empty center, kind or day is refused.
            f().Jikoku->setText("09:30");
            int16_t result = 0;
            common::Upd_Schedule(result);
            EXPECT_EQ(result, 9);
            EXPECT_EQ(messages.back(), kUpdateError);
            EXPECT_EQ(countRows(testDb, "センターコード='' OR 送受信種別='' OR 曜日=''"), 0);
        },
        [this] { stop(); });
}

TEST_F(SharedDatabase, HeaderValuesWithABlankAreFiledUnderTheTrimmedCode) {
    onEachDatabase([&](const TestDb& db) {
        enterHeader(" C02", "R"); // 月曜日 07:15 is taken for change
        ASSERT_EQ(f().Jikoku->text(), "07:15");
        saveAs("07:45");
        QTest::mouseClick(f().Cmd_tuika->widget(), Qt::LeftButton);
        saveAs("08:00");
        EXPECT_EQ(messages, (QStringList{kQuestion, kQuestion}));
        EXPECT_EQ(storedRows("C02", "R"),
                  (QStringList{"土曜日|06:00", "日曜日|23:30", "月曜日|07:45", "月曜日|08:00"}));
        EXPECT_EQ(countRows(db, "センターコード<>'C02' AND センターコード LIKE '%C02%'"), 0);
    });
}

TEST_F(SharedDatabase, ARowThatVanishedBeforeTheWriteIsReportedNotSaved) {
    onEachDatabase([&](const TestDb& db) {
        // Another workstation deletes the row the delete question is about, as it is shown.
        forms::setMsgBoxHandler([&](const QString& prompt, int, const QString&) {
            messages << prompt;
            if (prompt == "削除してよろしいですか")
                execOn(db, "DELETE FROM FL1912EDIスケジュールマスタ WHERE センターコード='C02' "
                           "AND 曜日='土曜日'");
            return prompt == kQuestion ? 6 : 1;
        });
        enterHeader("C02", "R"); // 月曜日 07:15 is taken for change
        execOn(db, "DELETE FROM FL1912EDIスケジュールマスタ WHERE センターコード='C02' AND "
                   "曜日='月曜日'");
        saveAs("07:45");
        EXPECT_EQ(messages, (QStringList{kQuestion, kNotRegistered}));
        EXPECT_EQ(f().Jikoku->text(), "07:45"); // kept, as after any failed save
        EXPECT_FALSE(g_DbConn->inTransaction());
        EXPECT_EQ(storedRows("C02", "R"), (QStringList{"土曜日|06:00", "日曜日|23:30"}));

        // A delete whose row goes between its look-up and its statement.
        messages.clear();
        selectDay(f(), "土曜日");
        f().Jikoku->setText("06:00");
        QTest::mouseClick(f().Cmd_sakujyo->widget(), Qt::LeftButton);
        EXPECT_EQ(messages, (QStringList{"削除してよろしいですか", kNotRegistered}));
        EXPECT_FALSE(g_DbConn->inTransaction());
        EXPECT_EQ(gridLines(), QStringList{"日曜日|23:30"}); // the list is read again
    });
}

TEST_F(SharedDatabase, ARefusedWriteShowsTheListAsStoredAndKeepsTheEntry) {
    onEachDatabase([&](const TestDb& db) {
        enterHeader("C02", "R"); // 月曜日 07:15 is taken for change
        const QString insert = "INSERT INTO FL1912EDIスケジュールマスタ (センターコード,送受信種別,"
                               "曜日,起動時刻) VALUES ('C02','R','月曜日','09:30')";
        const struct {
            const char* name;
            QString other;     // another workstation's statement, just before the write
            bool atQuestion;   // ... or while the save question is up
            QString day, time; // the entry
            bool remove;       // delete instead of save
            QString message;
        } cases[] = {
            {"the taken row changed elsewhere",
             "UPDATE FL1912EDIスケジュールマスタ SET 起動時刻='08:00' WHERE センターコード='C02' "
             "AND 曜日='月曜日'",
             false, "月曜日", "07:45", false, kNotRegistered},
            {"a new row stored elsewhere first", insert, true, "月曜日", "09:30", false,
             kRegistered},
            {"the row to delete deleted elsewhere",
             "DELETE FROM FL1912EDIスケジュールマスタ WHERE センターコード='C02' AND 曜日='土曜日'",
             false, "土曜日", "06:00", true, kNotRegistered},
            {"a new row stored elsewhere before the key",
             "INSERT INTO FL1912EDIスケジュールマスタ (センターコード,送受信種別,曜日,起動時刻) "
             "VALUES ('C02','R','日曜日','10:00')",
             false, "日曜日", "10:00", false, kRegistered},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            if (!c.atQuestion) execOn(db, c.other);
            forms::setMsgBoxHandler([&](const QString& prompt, int, const QString&) {
                messages << prompt;
                if (prompt == kQuestion && c.atQuestion) execOn(db, c.other);
                return prompt == kQuestion ? 6 : 1;
            });
            messages.clear();
            selectDay(f(), c.day);
            if (c.remove) {
                f().Jikoku->setText(c.time);
                QTest::mouseClick(f().Cmd_sakujyo->widget(), Qt::LeftButton);
            } else {
                saveAs(c.time);
            }
            EXPECT_EQ(messages.last(), c.message);
            QStringList listed = gridLines();
            listed.removeAll("|");
            listed.sort();
            EXPECT_EQ(listed, storedRows("C02", "R")); // read again, not as it was
            EXPECT_EQ(f().YOUBI->text(), c.day);
            EXPECT_EQ(f().Jikoku->text(), c.time);
        }
    });
}

TEST_F(SharedDatabase, TheDuplicateMessageWaitsForTheTransactionToEnd) {
    onEachDatabase([&](const TestDb& db) {
        enterHeader("C02", "R");
        selectDay(f(), "土曜日");
        f().Jikoku->setText("06:00"); // another row's key: refused inside the save
        bool inTransaction = true;
        forms::setMsgBoxHandler([&](const QString& prompt, int, const QString&) {
            messages << prompt;
            if (prompt != kRegistered) return 6;
            inTransaction = g_DbConn->inTransaction();
            // Another workstation saves while the message is up.
            EXPECT_NO_THROW(
                execOn(db, "INSERT INTO FL1912EDIスケジュールマスタ (センターコード,"
                           "送受信種別,曜日,起動時刻) VALUES ('C17','R','月曜日','09:30')"));
            return 1;
        });
        focus(f().GRID);
        key(Qt::Key_Escape); // saves the fields as they stand, looking up inside the save
        EXPECT_EQ(messages, (QStringList{kQuestion, kRegistered}));
        EXPECT_FALSE(inTransaction);
        EXPECT_EQ(storedRows("C17", "R"), QStringList{"月曜日|09:30"});
    });
}

TEST_F(SharedDatabase, AnyFailureInsideTheSaveRollsBackAndTheNextSaveStartsAfresh) {
    onEachDatabase([&](const TestDb& db) {
        enterHeader("C17", "R");
        // A failure of the program's own between begin and commit, not a database error.
        odbc::Connection::setStatementLog([](const QString& s) {
            if (s.startsWith("INSERT")) throw std::runtime_error("not a database error");
        });
        saveAs("09:30");
        EXPECT_EQ(messages, (QStringList{kQuestion, kUpdateError}));
        EXPECT_EQ(styles.back(), 0);
        EXPECT_FALSE(g_DbConn->inTransaction());
        EXPECT_EQ(forms::mousePointer(), 0);
        odbc::Connection::setStatementLog(nullptr);
        EXPECT_TRUE(storedRows("C17", "R").isEmpty());

        if (db.kind != "sqlite") {
            // The session dies inside the transaction: the rollback itself fails.
            const bool pg = db.kind == "postgresql";
            auto pid =
                g_DbConn
                    ->openResultSet(pg ? "SELECT pg_backend_pid()" : "SELECT CONNECTION_ID()",
                                    odbc::CursorType::Keyset, odbc::Concurrency::ReadOnly)
                    ->value(0)
                    .value_or("0");
            bool killed = false;
            odbc::Connection::setStatementLog([&](const QString& s) {
                if (killed || !s.startsWith("INSERT")) return;
                killed = true;
                execOn(db, pg ? "SELECT pg_terminate_backend(" + pid + ")" : "KILL " + pid);
            });
            messages.clear();
            saveAs("09:30");
            odbc::Connection::setStatementLog(nullptr);
            EXPECT_TRUE(killed);
            EXPECT_EQ(messages, (QStringList{kQuestion, kUpdateError}));
            EXPECT_FALSE(g_DbConn->inTransaction());
        }
        // The next save opens a new transaction (on a new link where the old one died).
        messages.clear();
        saveAs("09:30");
        EXPECT_EQ(messages, QStringList{kQuestion});
        EXPECT_EQ(storedRows("C17", "R"), QStringList{"月曜日|09:30"});
    });
}

TEST_F(SharedDatabase, ARestartedServerIsReachedAgainByTheNextAction) {
    onEachDatabase([&](const TestDb& db) {
        if (db.kind == "sqlite") return; // SQLite has no link to lose
        enterHeader("C17", "R");
        const QString failed = testsupport::restartTestServer(db.kind);
        ASSERT_TRUE(failed.isEmpty()) << failed.toStdString();
        saveAs("09:30"); // its look-up finds the link gone, reconnects and goes on
        EXPECT_EQ(messages, QStringList{kQuestion});
        EXPECT_EQ(storedRows("C17", "R"), QStringList{"月曜日|09:30"});
        EXPECT_EQ(gridLines(), QStringList{"月曜日|09:30"});
    });
}

TEST_F(SharedDatabase, ALockHeldElsewhereEndsTheSaveWithinSeconds) {
    onEachDatabase([&](const TestDb& db) {
        enterHeader("C02", "R"); // 月曜日 07:15 is taken for change
        odbc::Environment env;
        auto other = connectTo(env, db);
        other->beginTrans();
        other->execute("UPDATE FL1912EDIスケジュールマスタ SET 起動時刻='07:15' WHERE "
                       "センターコード='C02' AND 曜日='月曜日'");
        QElapsedTimer clock;
        clock.start();
        saveAs("07:45");
        const qint64 waited = clock.elapsed();
        other->rollbackTrans();
        EXPECT_EQ(messages, (QStringList{kQuestion, kUpdateError}));
        EXPECT_LT(waited, 10000) << "the save waited " << waited << " ms";
        EXPECT_FALSE(g_DbConn->inTransaction());
        EXPECT_EQ(storedRows("C02", "R").size(), 3);
        EXPECT_TRUE(storedRows("C02", "R").contains("月曜日|07:15"));
    });
}

} // namespace
