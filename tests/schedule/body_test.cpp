// Body mode: entering it, the list, picking lines, the add button and going back to the header.
#include "support/app/schedule_fixture.h"

using common::g_Mode;
using common::g_RowSelected;

namespace {

// The C01/R list in day-code order, then time; the day that is no code-table entry has a Null
// code and comes first on every database.
QStringList c01rLines() {
    const QStringList days{"祝日|12:00", "月曜日|08:30", "月曜日|09:00", "水曜日|09:30",
                           "金曜日|17:45"};
    return days;
}

TEST_F(ScheduleScreen, HeaderWithRowsListsThemAndTakesTheFirst) {
    onEachDatabase([&](const TestDb&) {
        enterHeader("C01", "r");
        EXPECT_TRUE(messages.empty()) << messages.join("|").toStdString();
        EXPECT_EQ(g_Mode, "BODY");
        EXPECT_EQ(f().Soujyu->text(), "R");
        EXPECT_EQ(f().lbl_Soujyu->caption(), "受信");
        EXPECT_EQ(gridLines(), c01rLines());
        const QStringList first = c01rLines().first().split('|');
        EXPECT_EQ(f().Jikoku->text(), first[1]);
        // A day that is not in the list leaves the list on its first entry.
        EXPECT_EQ(f().YOUBI->text(), first[0] == "祝日" ? "月曜日" : first[0]);
        EXPECT_EQ(g_RowSelected, -1);
        EXPECT_EQ(f().GRID->row(), 1);
        EXPECT_EQ(f().GRID->colSel(), 2);
        EXPECT_EQ(active(), f().YOUBI);
        EXPECT_TRUE(f().Cmd_tuika->enabled());
        EXPECT_TRUE(f().Cmd_sakujyo->enabled());
        EXPECT_FALSE(f().Center_CD->enabled());
        EXPECT_EQ(statements.last(),
                  "SELECT  FL1912EDIスケジュールマスタ.曜日, FL1912EDIスケジュールマスタ.起動時刻"
                  " FROM FL1912EDIスケジュールマスタ LEFT JOIN 区分マスタ  ON "
                  "(FL1912EDIスケジュールマスタ.曜日 = 区分マスタ.区分名称 AND 区分マスタ.区分 = "
                  "'曜日') WHERE FL1912EDIスケジュールマスタ.センターコード = 'C01' AND "
                  "FL1912EDIスケジュールマスタ.送受信種別 = 'R' ORDER BY 区分マスタ.区分コード, "
                  "FL1912EDIスケジュールマスタ.起動時刻");
    });
}

TEST_F(ScheduleScreen, HeaderWithoutRowsIsReadyForANewRow) {
    onEachDatabase([&](const TestDb&) {
        enterHeader("C17", "S");
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(g_Mode, "BODY");
        EXPECT_EQ(g_RowSelected, 0);
        EXPECT_EQ(f().YOUBI->listIndex(), 0);
        EXPECT_EQ(f().Jikoku->text(), "");
        EXPECT_EQ(active(), f().YOUBI);
        // Up and Down change the day, not the field.
        key(Qt::Key_Down);
        EXPECT_EQ(f().YOUBI->text(), "火曜日");
        EXPECT_EQ(active(), f().YOUBI);
        key(Qt::Key_Return);
        EXPECT_EQ(active(), f().Jikoku);
        EXPECT_TRUE(messages.empty());
    });
}

TEST_F(ScheduleScreen, PickingLinesCopiesThemIntoTheFields) {
    onEachDatabase([&](const TestDb&) {
        enterHeader("C01", "R");
        const QStringList lines = c01rLines();
        const int wed = lines.indexOf("水曜日|09:30") + 1;
        common::New_Entry();
        EXPECT_EQ(g_RowSelected, 0);
        clickRow(wed);
        EXPECT_EQ(f().YOUBI->text(), "水曜日");
        EXPECT_EQ(f().Jikoku->text(), "09:30");
        EXPECT_EQ(g_RowSelected, -1);
        EXPECT_EQ(f().GRID->colSel(), 2);
        EXPECT_EQ(common::g_OldYoubi, "水曜日");
        // Arrows copy the line they leave; after the add button the line they reach is not
        // copied until the next fill.
        focus(f().GRID);
        key(Qt::Key_Down);
        EXPECT_EQ(f().GRID->row(), wed + 1);
        EXPECT_EQ(f().Jikoku->text(), "09:30");
        EXPECT_EQ(g_RowSelected, -1);
        key(Qt::Key_Return);
        EXPECT_EQ(active(), f().YOUBI);
        doubleClickRow(wed);
        EXPECT_EQ(f().Jikoku->text(), "09:30");
        EXPECT_EQ(active(), f().YOUBI);
        // After a fill, the line an arrow reaches is copied too.
        focus(f().YOUBI);
        key(Qt::Key_Escape);
        enterHeader("C01", "R");
        focus(f().GRID);
        key(Qt::Key_Down);
        EXPECT_EQ(f().GRID->row(), 2);
        EXPECT_EQ(f().Jikoku->text(), lines[1].split('|')[1]);
    });
}

TEST_F(ScheduleScreen, AddButtonBlanksTheEntry) {
    onEachDatabase([&](const TestDb&) {
        enterHeader("C02", "R");
        QTest::mouseClick(f().Cmd_tuika->widget(), Qt::LeftButton);
        EXPECT_EQ(f().YOUBI->listIndex(), 0);
        EXPECT_EQ(f().Jikoku->text(), "");
        EXPECT_EQ(g_RowSelected, 0);
        EXPECT_EQ(f().GRID->colSel(), 0);
        EXPECT_EQ(active(), f().YOUBI);
    });
}

TEST_F(ScheduleScreen, EscBackToTheHeaderClearsIt) {
    onEachDatabase([&](const TestDb&) {
        enterHeader("C01", "R");
        focus(f().Jikoku);
        key(Qt::Key_Escape);
        EXPECT_EQ(g_Mode, "HEAD");
        EXPECT_EQ(f().Center_CD->text(), "");
        EXPECT_EQ(f().Soujyu->text(), "");
        EXPECT_EQ(f().lbl_Center_CD->caption(), "");
        EXPECT_EQ(f().GRID->rows(), 1);
        EXPECT_EQ(f().lbl_OP_CD->caption(), "A001");
        EXPECT_EQ(active(), f().Center_CD);
        // The buttons stay enabled but do nothing in the header.
        EXPECT_TRUE(f().Cmd_tuika->enabled());
        QTest::mouseClick(f().Cmd_sakujyo->widget(), Qt::LeftButton);
        QTest::mouseClick(f().Cmd_tuika->widget(), Qt::LeftButton);
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(g_Mode, "HEAD");
    });
}

TEST_F(ScheduleScreen, KeysOnButtonsAndGridDoNotFail) {
    onEachDatabase([&](const TestDb&) {
        enterHeader("C01", "R");
        focus(f().Cmd_tuika);
        key(Qt::Key_Up);
        key(Qt::Key_Down);
        key(Qt::Key_Return);
        EXPECT_TRUE(messages.empty());
        focus(f().GRID);
        key(Qt::Key_Up);
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(g_Mode, "BODY");
    });
}

} // namespace
