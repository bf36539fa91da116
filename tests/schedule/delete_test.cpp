// Deleting: the existence check, the question, the list after it.
#include "platform/odbc/connection.h"
#include "support/app/schedule_fixture.h"

namespace {

TEST_F(ScheduleScreen, DeleteAsksThenRemovesTheRowInTheFields) {
    onEachDatabase([&](const TestDb&) {
        enterHeader("C02", "R"); // 月曜日 07:15 taken
        answers = {1};
        statements.clear();
        QTest::mouseClick(f().Cmd_sakujyo->widget(), Qt::LeftButton);
        EXPECT_EQ(messages, QStringList{"削除してよろしいですか"});
        EXPECT_EQ(styles.back(), 49);
        EXPECT_TRUE(statements.contains(
            "delete  FROM FL1912EDIスケジュールマスタ WHERE センターコード='C02' AND "
            "送受信種別='R' AND 曜日='月曜日' AND 起動時刻=#07:15#"));
        EXPECT_EQ(storedRows("C02", "R"), (QStringList{"土曜日|06:00", "日曜日|23:30"}));
        EXPECT_EQ(gridLines(), (QStringList{"土曜日|06:00", "日曜日|23:30"}));
        EXPECT_EQ(f().Jikoku->text(), "");
        EXPECT_EQ(f().YOUBI->listIndex(), 0);
        EXPECT_EQ(common::g_RowSelected, 0);
    });
}

TEST_F(ScheduleScreen, CancelledDeleteStillReloads) {
    onEachDatabase([&](const TestDb&) {
        enterHeader("C02", "R");
        answers = {2};
        QTest::mouseClick(f().Cmd_sakujyo->widget(), Qt::LeftButton);
        EXPECT_EQ(storedRows("C02", "R").size(), 3);
        EXPECT_EQ(f().Jikoku->text(), "");
        EXPECT_EQ(f().YOUBI->listIndex(), 0);
        EXPECT_EQ(common::g_RowSelected, 0);
        EXPECT_EQ(f().GRID->colSel(), f().GRID->col()); // no line is highlighted
    });
}

TEST_F(ScheduleScreen, RowGoneAlreadyIsReportedBeforeAnyQuestion) {
    onEachDatabase([&](const TestDb& db) {
        enterHeader("C05", "R"); // its one row, 木曜日 10:00, is taken
        // Another workstation deletes it meanwhile.
        execOn(db, "DELETE FROM FL1912EDIスケジュールマスタ WHERE センターコード='C05'");
        QTest::mouseClick(f().Cmd_sakujyo->widget(), Qt::LeftButton);
        EXPECT_EQ(messages, QStringList{"EDIスケジュールマスが登録されていません"});
    });
}

TEST_F(ScheduleScreen, LastRowDeletedLeavesBlankLines) {
    onEachDatabase([&](const TestDb&) {
        enterHeader("C05", "R");
        answers = {1};
        QTest::mouseClick(f().Cmd_sakujyo->widget(), Qt::LeftButton);
        EXPECT_TRUE(storedRows("C05", "R").isEmpty());
        EXPECT_EQ(f().GRID->rows(), 2);
        EXPECT_EQ(gridLines(), QStringList{"|"});
        f().YOUBI->setListIndex(4);
        clickRow(1);
        EXPECT_EQ(f().Jikoku->text(), "");
        EXPECT_EQ(f().YOUBI->listIndex(), 4);
        EXPECT_EQ(common::g_RowSelected, -1);
    });
}

} // namespace
