// Enter and the arrow keys between the fields; focus colours.
#include "input/manage.h"
#include "input_screen.h"

using NavigationTest = InputScreenTest;

TEST_F(NavigationTest, EnterCyclesTheFieldsOfTheCurrentMode) {
    manage::Enable_Fields("HEAD");
    EXPECT_TRUE(center->enabled() && soujyu->enabled());
    EXPECT_FALSE(youbi->enabled() || jikoku->enabled());
    center->setText("C01"); // Enter checks the field first
    focus(center);
    press(Qt::Key_Return);
    EXPECT_EQ(active(), soujyu);
    // Past the kind and the time checks, which lead on to the other mode and the save, Enter
    // comes down to this.
    manage::Next_Field(13);
    EXPECT_EQ(active(), center) << "wraps past the disabled body fields";

    manage::Enable_Fields("BODY");
    EXPECT_FALSE(center->enabled() || soujyu->enabled());
    focus(youbi);
    press(Qt::Key_Return);
    EXPECT_EQ(active(), jikoku);
    manage::Next_Field(13);
    EXPECT_EQ(active(), youbi) << "the last field wraps past the disabled header fields";
}

TEST_F(NavigationTest, LockedHiddenAndDisabledFieldsAreSkipped) {
    manage::Enable_Fields("HEAD");
    youbi->setEnabled(true);
    soujyu->setLocked(true);
    center->setText("C01");
    focus(center);
    press(Qt::Key_Return);
    EXPECT_EQ(active(), youbi);

    soujyu->setLocked(false);
    soujyu->setVisible(false);
    focus(center);
    press(Qt::Key_Down);
    EXPECT_EQ(active(), youbi);

    youbi->setEnabled(false); // nothing left to go to
    focus(center);
    press(Qt::Key_Return);
    press(Qt::Key_Up);
    EXPECT_EQ(active(), center);
}

TEST_F(NavigationTest, UpOnlyFromEmptyOrWhollySelectedText) {
    manage::Enable_Fields("HEAD");
    focus(soujyu);
    press(Qt::Key_Up);
    EXPECT_EQ(active(), center) << "empty text";

    checkResult = 9; // the full field stays, its text selected
    focus(soujyu);
    type("R");
    ASSERT_EQ(soujyu->selLength(), 1);
    press(Qt::Key_Up);
    EXPECT_EQ(active(), center) << "wholly selected";

    center->setText("C01");
    press(Qt::Key_End);
    press(Qt::Key_Up);
    EXPECT_EQ(active(), center) << "caret at the end, nothing selected";
    center->setSelStart(1);
    center->setSelLength(1);
    press(Qt::Key_Up);
    EXPECT_EQ(active(), center) << "partly selected";
    manage::Sel_All(center);
    press(Qt::Key_Up);
    EXPECT_EQ(active(), soujyu) << "field 0 searches down from the last field";

    manage::Enable_Fields("BODY");
    focus(youbi);
    manage::Prev_Field(38);
    EXPECT_EQ(active(), youbi) << "no wrap below field 0";
}

TEST_F(NavigationTest, DownAlwaysMovesOtherCodesOnlyFromUntouchedText) {
    manage::Enable_Fields("HEAD");
    focus(center);
    type("C01");
    press(Qt::Key_Left);
    manage::Next_Field(39);
    EXPECT_EQ(active(), center);
    press(Qt::Key_Down);
    EXPECT_EQ(active(), soujyu);

    manage::Enable_Fields("BODY");
    focus(youbi);
    press(Qt::Key_Down);
    EXPECT_EQ(active(), youbi) << "the day list keeps its arrow keys";
    EXPECT_EQ(youbi->listIndex(), 1);
}

TEST_F(NavigationTest, RoutinesIgnoreAControlOutsideTheTable) {
    auto* button = form->control(QStringLiteral("Cmd_end"));
    focus(button);
    manage::Next_Field(13);
    manage::Prev_Field(38);
    manage::Auto_Advance(65, 0);
    EXPECT_EQ(active(), button);
    EXPECT_TRUE(checked.empty());
}

TEST_F(NavigationTest, FocusPaintsAndSelectsAndLeavingRestores) {
    focus(jikoku);
    center->setText("C01");
    focus(center);
    EXPECT_EQ(center->backColor(), kFocusColor);
    EXPECT_EQ(center->selStart(), 0);
    EXPECT_EQ(center->selLength(), 3);
    focus(soujyu);
    EXPECT_EQ(center->backColor(), kBackColor) << "-2147483643 is system colour 5";
    EXPECT_EQ(soujyu->backColor(), kFocusColor);
    EXPECT_EQ(soujyu->selLength(), 0) << "empty text is left alone";
}
