// Saving: the time check, insert and update with their look-ups, and the answers to the question.
#include "support/app/schedule_fixture.h"

using common::g_RowSelected;

namespace {

TEST_F(ScheduleScreen, TimeCheckFormatsAndRefuses) {
    struct Case {
        const char* typed;
        const char* shown;
        const char* message; // nullptr: passes to the save question
    } cases[] = {{"0930", "09:30", nullptr},          {"9:30", "9:30", nullptr},
                 {"930", "930", "時刻が不正です"},    {"2460", "2460", "時刻が不正です"},
                 {"12/31", "1231", "時刻が不正です"}, {"", "", "起動時刻が入力されていません"}};
    onEachDatabase([&](const TestDb&) {
        enterHeader("C17", "R");
        for (const Case& c : cases) {
            SCOPED_TRACE(c.typed);
            messages.clear();
            focus(f().Jikoku);
            f().Jikoku->setText("");
            type(c.typed);
            answers = {2}; // Cancel, should the question come
            key(Qt::Key_Return);
            EXPECT_EQ(f().Jikoku->text(), c.shown);
            if (c.message) {
                EXPECT_EQ(messages, QStringList{c.message});
                EXPECT_EQ(active(), f().Jikoku);
            } else {
                EXPECT_EQ(messages, QStringList{"この内容で更新しますか"});
                EXPECT_EQ(styles.back(), 51);
            }
        }
        EXPECT_TRUE(storedRows("C17", "R").isEmpty());
    });
}

TEST_F(ScheduleScreen, SavingANewRowInsertsItAndGetsReadyForTheNext) {
    onEachDatabase([&](const TestDb&) {
        enterHeader("C17", "R");
        key(Qt::Key_Down);
        key(Qt::Key_Return);
        type("0930");
        answers = {6};
        statements.clear();
        key(Qt::Key_Return);
        EXPECT_EQ(messages, QStringList{"この内容で更新しますか"});
        EXPECT_TRUE(statements.contains(
            "INSERT INTO FL1912EDIスケジュールマスタ (センターコード,送受信種別,曜日,起動時刻) "
            "VALUES ('C17','R','火曜日','09:30')"));
        EXPECT_EQ(statements.count("SELECT * FROM FL1912EDIスケジュールマスタ WHERE "
                                   "センターコード='C17' AND 送受信種別='R' AND 曜日='火曜日' AND "
                                   "起動時刻=#09:30#"),
                  2); // before the question, and again inside the transaction
        EXPECT_EQ(storedRows("C17", "R"), QStringList{"火曜日|09:30"});
        EXPECT_EQ(gridLines(), QStringList{"火曜日|09:30"});
        EXPECT_EQ(f().Jikoku->text(), "");
        EXPECT_EQ(f().YOUBI->listIndex(), 0);
        EXPECT_EQ(g_RowSelected, 0);
        EXPECT_EQ(active(), f().YOUBI);
        EXPECT_EQ(common::g_Mode, "BODY");
    });
}

TEST_F(ScheduleScreen, ExistingRowIsRefusedBeforeTheQuestion) {
    onEachDatabase([&](const TestDb&) {
        enterHeader("C02", "R"); // 月曜日 07:15 is row 1 and taken for change
        EXPECT_EQ(f().Jikoku->text(), "07:15");
        focus(f().Jikoku);
        key(Qt::Key_Return);
        EXPECT_EQ(messages, QStringList{"EDIスケジュールマスタが登録されています"});
        EXPECT_EQ(styles.back(), 48);
        EXPECT_EQ(storedRows("C02", "R").size(), 3);
    });
}

TEST_F(ScheduleScreen, ChangingATakenRowUpdatesItByItsOldKey) {
    onEachDatabase([&](const TestDb&) {
        enterHeader("C02", "R");
        focus(f().Jikoku);
        f().Jikoku->setText("");
        type("0745");
        answers = {6};
        statements.clear();
        key(Qt::Key_Return);
        EXPECT_TRUE(statements.contains(
            "UPDATE FL1912EDIスケジュールマスタ SET FL1912EDIスケジュールマスタ.曜日='月曜日', "
            "FL1912EDIスケジュールマスタ.起動時刻='07:45' WHERE "
            "FL1912EDIスケジュールマスタ.センターコード='C02' AND "
            "FL1912EDIスケジュールマスタ.送受信種別='R' AND "
            "FL1912EDIスケジュールマスタ.曜日='月曜日' "
            "AND FL1912EDIスケジュールマスタ.起動時刻=#07:15#"))
            << statements.join("\n").toStdString();
        EXPECT_EQ(storedRows("C02", "R"),
                  (QStringList{"土曜日|06:00", "日曜日|23:30", "月曜日|07:45"}));
    });
}

TEST_F(ScheduleScreen, MovingATakenRowOntoAnotherIsRefusedInsideTheSave) {
    onEachDatabase([&](const TestDb&) {
        enterHeader("C02", "R");
        // Esc in the grid saves the fields as they stand; change the time to another row's.
        f().YOUBI->setListIndex(5);
        f().Jikoku->setText("06:00");
        answers = {6};
        focus(f().GRID);
        key(Qt::Key_Escape);
        EXPECT_EQ(messages, (QStringList{"この内容で更新しますか",
                                         "EDIスケジュールマスタが登録されています"}));
        EXPECT_EQ(storedRows("C02", "R").size(), 3);
        EXPECT_EQ(f().Jikoku->text(), "06:00"); // the entry stays as typed
    });
}

TEST_F(ScheduleScreen, EscInTheGridSavesAnUnchangedRowWithoutLookUp) {
    onEachDatabase([&](const TestDb&) {
        enterHeader("C02", "R");
        answers = {6};
        focus(f().GRID);
        statements.clear();
        key(Qt::Key_Escape);
        EXPECT_EQ(messages, QStringList{"この内容で更新しますか"});
        ASSERT_FALSE(statements.isEmpty());
        EXPECT_TRUE(statements.first().startsWith("UPDATE ")) << statements.first().toStdString();
        EXPECT_EQ(storedRows("C02", "R").size(), 3);
        EXPECT_EQ(active(), f().GRID);
    });
}

TEST_F(ScheduleScreen, NoDropsTheEntryAndCancelKeepsIt) {
    onEachDatabase([&](const TestDb&) {
        enterHeader("C17", "R");
        f().YOUBI->setListIndex(3);
        focus(f().Jikoku);
        type("1000");
        answers = {2};
        key(Qt::Key_Return);
        EXPECT_EQ(f().YOUBI->listIndex(), 3);
        EXPECT_EQ(f().Jikoku->text(), "10:00");
        EXPECT_EQ(active(), f().YOUBI);
        focus(f().Jikoku);
        answers = {7};
        key(Qt::Key_Return);
        EXPECT_EQ(f().YOUBI->listIndex(), 0);
        EXPECT_EQ(f().Jikoku->text(), "");
        EXPECT_EQ(active(), f().YOUBI);
        EXPECT_TRUE(storedRows("C17", "R").isEmpty());
    });
}

} // namespace
