// A header field typed full moves on by itself once the field check passes.
#include "input/manage.h"
#include "input_screen.h"

class AutoAdvanceTest : public InputScreenTest {
protected:
    void SetUp() override {
        InputScreenTest::SetUp();
        manage::Enable_Fields("HEAD");
    }
};

TEST_F(AutoAdvanceTest, FullFieldAdvancesWhenTheCheckPasses) {
    checkResult = 0; // the screen's kind check would enter the body
    focus(center);
    type("c0123456789");
    EXPECT_TRUE(checked.empty()) << "eleven of twelve characters";
    type("x");
    EXPECT_EQ(center->text(), "C0123456789X");
    EXPECT_EQ(checked, std::vector<int16_t>{0});
    EXPECT_EQ(active(), soujyu);
    type("s");
    EXPECT_EQ(active(), center) << "the kind field wraps past the disabled body fields";
}

TEST_F(AutoAdvanceTest, FailedCheckStaysWithTheTextSelected) {
    checkResult = 9;
    focus(soujyu);
    type("r");
    EXPECT_EQ(checked, std::vector<int16_t>{1});
    EXPECT_EQ(active(), soujyu);
    EXPECT_EQ(soujyu->selStart(), 0);
    EXPECT_EQ(soujyu->selLength(), 1);
}

TEST_F(AutoAdvanceTest, ShiftEscEnterAndCtrlNeverAdvance) {
    checkResult = 9; // every advance attempt shows in `checked`
    soujyu->setText("R");
    focus(soujyu); // wholly selected full field: the next plain key advances
    press(Qt::Key_Escape);
    press(Qt::Key_Control);
    press(Qt::Key_Shift);
    press(Qt::Key_F2, Qt::ShiftModifier);
    manage::Auto_Advance(13, 0); // a real Enter moves on through the form's key handling
    manage::Auto_Advance(39, 2);
    EXPECT_TRUE(checked.empty());
    press(Qt::Key_F2);
    EXPECT_EQ(checked, std::vector<int16_t>{1}) << "the same state with a plain key";
}

TEST_F(AutoAdvanceTest, OnlyACaretAtTheEndOrTheLastOrWholeSelectionAdvances) {
    checkResult = 9;
    focus(center);
    type("ABCDEFGHIJKL");
    checked.clear();
    press(Qt::Key_Home);
    press(Qt::Key_Right);
    center->setSelStart(10);
    center->setSelLength(2);
    manage::Auto_Advance(65, 0);
    EXPECT_TRUE(checked.empty());
    center->setSelStart(11);
    center->setSelLength(1);
    manage::Auto_Advance(65, 0);
    EXPECT_EQ(checked.size(), 1u);

    manage::Enable_Fields("BODY");
    jikoku->setText("09:30");
    focus(jikoku);
    press(Qt::Key_End);
    manage::Auto_Advance(39, 0);
    EXPECT_EQ(checked.size(), 1u) << "the last field never advances";
}

TEST_F(AutoAdvanceTest, DoubleByteTextIsCutToMaxLengthBytesWithTheCaretAtTheEnd) {
    focus(center);
    commit(QStringLiteral("東西南北春夏秋")); // 7 characters, 14 bytes
    type("a");
    EXPECT_EQ(center->text(), QStringLiteral("東西南北春夏"));
    EXPECT_EQ(center->selStart(), 6);
    EXPECT_EQ(center->selLength(), 0);
    EXPECT_TRUE(checked.empty()) << "eight characters are not a full field";

    center->setText(QStringLiteral("Aあいうえおか")); // 13 bytes
    press(Qt::Key_End);
    EXPECT_EQ(center->text(), QStringLiteral("Aあいうえお")) << "no half character";
}
