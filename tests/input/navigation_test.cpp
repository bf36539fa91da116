// Enter and the arrow keys between the fields; focus colours.
#include "input/manage.h"
#include "input_screen.h"
#include "shell/workarea.h"

using HeadBodyTest = InputScreenTest;

TEST_F(HeadBodyTest, ModesEnableOnlyTheirOwnFields) {
    manage::Enable_Fields("HEAD");
    EXPECT_TRUE(center->enabled() && soujyu->enabled());
    EXPECT_FALSE(youbi->enabled() || jikoku->enabled());
    manage::Enable_Fields("BODY");
    EXPECT_FALSE(center->enabled() || soujyu->enabled());
    EXPECT_TRUE(youbi->enabled() && jikoku->enabled());
}

TEST_F(HeadBodyTest, EnterInHeadModeCyclesTheTwoHeaderFields) {
    manage::Enable_Fields("HEAD");
    focus(center);
    press(Qt::Key_Return);
    EXPECT_EQ(active(), soujyu);
    press(Qt::Key_Return);
    EXPECT_EQ(active(), center) << "wraps past the disabled body fields";
}

TEST_F(HeadBodyTest, EnterInBodyModeWrapsFromTheLastField) {
    manage::Enable_Fields("BODY");
    focus(youbi);
    press(Qt::Key_Return);
    EXPECT_EQ(active(), jikoku);
    type("0930");
    press(Qt::Key_Return);
    EXPECT_EQ(active(), youbi) << "wraps past the disabled header fields";
}

TEST_F(HeadBodyTest, LockedOrHiddenFieldsAreSkipped) {
    manage::Enable_Fields("HEAD");
    youbi->setEnabled(true);
    soujyu->setLocked(true);
    focus(center);
    press(Qt::Key_Return);
    EXPECT_EQ(active(), youbi);

    soujyu->setLocked(false);
    soujyu->setVisible(false);
    focus(center);
    press(Qt::Key_Down);
    EXPECT_EQ(active(), youbi);
}

TEST_F(HeadBodyTest, NoEligibleFieldLeavesTheFocus) {
    manage::Enable_Fields("HEAD");
    soujyu->setEnabled(false);
    focus(center);
    press(Qt::Key_Return);
    EXPECT_EQ(active(), center);
    press(Qt::Key_Up);
    EXPECT_EQ(active(), center);
}

TEST_F(HeadBodyTest, DownMovesWhateverTheSelection) {
    manage::Enable_Fields("HEAD");
    focus(center);
    type("C01");
    press(Qt::Key_Left);
    press(Qt::Key_Down);
    EXPECT_EQ(active(), soujyu);
}

TEST_F(HeadBodyTest, UpOnlyFromEmptyOrWhollySelectedText) {
    manage::Enable_Fields("HEAD");
    focus(soujyu);
    press(Qt::Key_Up);
    EXPECT_EQ(active(), center) << "empty text";

    focus(soujyu);
    checkResult = 9; // the full field stays, its text selected
    type("R");
    ASSERT_EQ(active(), soujyu);
    ASSERT_EQ(soujyu->selLength(), 1);
    press(Qt::Key_Up);
    EXPECT_EQ(active(), center) << "wholly selected";

    center->setText("C01");
    focus(center);
    press(Qt::Key_End);
    press(Qt::Key_Up);
    EXPECT_EQ(active(), center) << "caret at the end, nothing selected";
    center->setSelStart(1);
    center->setSelLength(1);
    press(Qt::Key_Up);
    EXPECT_EQ(active(), center) << "partly selected";
}

TEST_F(HeadBodyTest, UpFromTheFirstFieldStartsAtTheLastButNeverWrapsBelowZero) {
    manage::Enable_Fields("HEAD");
    focus(center);
    press(Qt::Key_Up);
    EXPECT_EQ(active(), soujyu) << "field 0 searches down from the last field";

    manage::Enable_Fields("BODY");
    focus(youbi);
    manage::Prev_Field(38);
    EXPECT_EQ(active(), youbi) << "fields below 2 are disabled; no wrap to 3";
}

TEST_F(HeadBodyTest, OtherCodesMoveForwardOnlyFromUntouchedText) {
    manage::Enable_Fields("HEAD");
    center->setText("C01");
    focus(center);
    press(Qt::Key_End);
    manage::Next_Field(39);
    EXPECT_EQ(active(), center);
    manage::Sel_All(center);
    manage::Next_Field(39);
    EXPECT_EQ(active(), soujyu);
}

TEST_F(HeadBodyTest, ArrowsInTheDayListStayInTheList) {
    manage::Enable_Fields("BODY");
    focus(youbi);
    press(Qt::Key_Down);
    EXPECT_EQ(active(), youbi);
    EXPECT_EQ(youbi->listIndex(), 1);
}

TEST_F(HeadBodyTest, RoutinesIgnoreAControlOutsideTheTable) {
    auto* button = form->control(QStringLiteral("Cmd_tuika"));
    focus(button);
    manage::Next_Field(13);
    manage::Prev_Field(38);
    manage::Auto_Advance(65, 0);
    EXPECT_EQ(active(), button);
    EXPECT_TRUE(checked.empty());
}

TEST_F(HeadBodyTest, FocusPaintsAndSelectsAndLeavingRestores) {
    focus(jikoku);
    center->setText("C01");
    focus(center);
    EXPECT_EQ(center->backColor(), kFocusColor);
    EXPECT_EQ(center->selStart(), 0);
    EXPECT_EQ(center->selLength(), 3);
    focus(soujyu);
    EXPECT_EQ(center->backColor(), kBackColor);
    EXPECT_EQ(soujyu->backColor(), kFocusColor);
    EXPECT_EQ(soujyu->selLength(), 0) << "empty text is left alone";
}

TEST(FieldColor, KindTwoIsTheNormalColourAnythingElseTheFocusColour) {
    forms::Form f(QStringLiteral("F"));
    auto* tb = f.add<forms::TextBox>(QStringLiteral("T"), 0, 0, 900, 300);
    workarea::g_TextBackColor = 255;
    workarea::g_TextFocusColor = -2147483633.0; // button face
    manage::Set_FieldColor(tb, "2");
    EXPECT_EQ(tb->backColor(), 255u);
    manage::Set_FieldColor(tb, "");
    EXPECT_EQ(tb->backColor(), 0x8000000Fu);
    manage::Set_FieldColor(nullptr, "1");
}
