// Header mode: the start state, the center and kind checks and the RLY path rule.
#include "shell/workarea.h"
#include "support/app/schedule_fixture.h"

using common::g_Mode;

namespace {

TEST_F(ScheduleScreen, StartsInHeaderModeWithAnEmptyGrid) {
    onEachDatabase([&](const TestDb&) {
        EXPECT_EQ(g_Mode, "HEAD");
        EXPECT_TRUE(f().Center_CD->enabled());
        EXPECT_TRUE(f().Soujyu->enabled());
        EXPECT_FALSE(f().YOUBI->enabled());
        EXPECT_FALSE(f().Jikoku->enabled());
        EXPECT_EQ(f().YOUBI->listIndex(), 0);
        EXPECT_FALSE(f().Cmd_tuika->enabled());
        EXPECT_FALSE(f().Cmd_sakujyo->enabled());
        EXPECT_TRUE(f().Cmd_end->enabled());
        EXPECT_EQ(f().GRID->textMatrix(0, 1), " 曜日 ");
        EXPECT_EQ(f().GRID->textMatrix(0, 2), " 起動時刻 ");
        EXPECT_EQ(f().GRID->colWidth(0), 0);
        EXPECT_EQ(f().GRID->colWidth(1), 1000);
        EXPECT_EQ(f().GRID->colWidth(2), 2500);
        for (int r = 1; r < f().GRID->rows(); ++r)
            EXPECT_EQ(f().GRID->textMatrix(r, 2), "");
        EXPECT_EQ(f().Center_CD->tabIndex(), 0);
        EXPECT_EQ(f().Jikoku->tabIndex(), 3);
        EXPECT_EQ(f().GRID->tabIndex(), 4);
    });
}

TEST_F(ScheduleScreen, CenterCheckSaysWhatIsWrongAndStays) {
    onEachDatabase([&](const TestDb&) {
        focus(f().Center_CD);
        key(Qt::Key_Return);
        EXPECT_EQ(messages, QStringList{"センターコードが入力されていません"});
        EXPECT_EQ(styles.back(), 48);
        type("ZZZ");
        key(Qt::Key_Return);
        EXPECT_EQ(messages.last(), "EDI制御マスタが登録されていません");
        EXPECT_EQ(active(), f().Center_CD);
        EXPECT_EQ(f().lbl_Center_CD->caption(), "");
        EXPECT_EQ(f().Center_CD->selLength(), 3); // the text is selected for retyping
        type("c13");                              // typed over the selection, upper-cased
        key(Qt::Key_Return);
        EXPECT_EQ(f().Center_CD->text(), "C13");
        EXPECT_EQ(f().lbl_Center_CD->caption(), " "); // a Null name shows one blank
        EXPECT_EQ(active(), f().Soujyu);
        EXPECT_EQ(statements.last(),
                  "SELECT  センター名 FROM FL1903EDI制御マスタ  WHERE センターコード = 'C13'");
    });
}

TEST_F(ScheduleScreen, FullCenterCodeAdvancesByItself) {
    onEachDatabase([&](const TestDb&) {
        focus(f().Center_CD);
        type("CENTER000012");
        EXPECT_EQ(f().lbl_Center_CD->caption(), "全国配送センター");
        EXPECT_EQ(active(), f().Soujyu);
    });
}

TEST_F(ScheduleScreen, KindCheckAppliesThePathRuleOfRlyCenters) {
    struct Case {
        const char* center;
        const char* kind;
        const char* message; // nullptr: passes into the body
    } cases[] = {
        {"C03", "R", "EDI制御マスタにRLY受信情報が登録されていません"}, // receive path Null
        {"C04", "R", "EDI制御マスタにRLY受信情報が登録されていません"}, // receive path empty
        {"C09", "R", "EDI制御マスタにRLY受信情報が登録されていません"}, // receive path blanks
        {"C03", "S", nullptr},                                          // only R needs it
        {"C05", "R", nullptr},                                          // send path Null, R ok
        {"C05", "S", "EDI制御マスタにRLY送信情報が登録されていません"},
        {"C06", "S", "EDI制御マスタにRLY送信情報が登録されていません"},
        {"C07", "S", nullptr}, // neither path: the receive test decides alone
        {"C10", "R", nullptr}, // not an RLY center: paths are not looked at
        {"C11", "S", nullptr},
    };
    for (const Case& c : cases) {
        onEachDatabase([&](const TestDb&) {
            SCOPED_TRACE(std::string(c.center) + c.kind);
            enterHeader(c.center, c.kind);
            if (c.message) {
                EXPECT_EQ(messages, QStringList{c.message});
                EXPECT_EQ(g_Mode, "HEAD");
                EXPECT_EQ(active(), f().Soujyu);
            } else {
                EXPECT_TRUE(messages.empty()) << messages.join("|").toStdString();
                EXPECT_EQ(g_Mode, "BODY");
                EXPECT_EQ(active(), f().YOUBI);
            }
        });
    }
}

TEST_F(ScheduleScreen, KindMustBeACodeAndCenterMustExist) {
    onEachDatabase([&](const TestDb&) {
        enterHeader("C01", "X");
        EXPECT_EQ(messages, QStringList{"該当データがありませんでした"});
        EXPECT_EQ(f().lbl_Soujyu->caption(), "");
        EXPECT_EQ(g_Mode, "HEAD");
        // Down skips the center check; the kind check still finds no control-master row.
        messages.clear();
        focus(f().Center_CD);
        f().Center_CD->setText("NOPE");
        key(Qt::Key_Down);
        EXPECT_EQ(active(), f().Soujyu);
        f().Soujyu->setText("R");
        key(Qt::Key_Return);
        EXPECT_EQ(messages, QStringList{"該当データがありません"});
        EXPECT_EQ(f().lbl_Soujyu->caption(), "受信");
        messages.clear();
        f().Center_CD->setText("");
        key(Qt::Key_Return);
        EXPECT_EQ(messages, QStringList{"センターコードが入力されていません"});
        messages.clear();
        f().Soujyu->setText("");
        key(Qt::Key_Return);
        EXPECT_EQ(messages, QStringList{"送受信種別が入力されていません"});
    });
}

TEST_F(ScheduleScreen, PastedQuotesCannotBreakTheStatements) {
    onEachDatabase([&](const TestDb&) {
        focus(f().Center_CD);
        f().Center_CD->setText("C0' OR 'x");
        key(Qt::Key_Return);
        EXPECT_EQ(messages, QStringList{"EDI制御マスタが登録されていません"});
        EXPECT_TRUE(statements.last().endsWith("'C0'' OR ''x'"));
        EXPECT_EQ(common::g_Mode, "HEAD");
    });
}

TEST_F(ScheduleScreen, F5ElsewhereDoesNothingAndEscAsksToExit) {
    onEachDatabase([&](const TestDb&) {
        focus(f().Soujyu);
        key(Qt::Key_F5);
        EXPECT_TRUE(messages.empty());
        answers = {7};
        key(Qt::Key_Escape);
        EXPECT_EQ(messages, QStringList{"終了してもよろしいですか"});
        EXPECT_EQ(endStatus, -1);
        EXPECT_TRUE(f().isShown());
        answers = {7};
        QTest::mouseClick(f().Cmd_end->widget(), Qt::LeftButton);
        EXPECT_EQ(messages.size(), 2);
        EXPECT_TRUE(f().isShown());
        answers = {6};
        key(Qt::Key_Escape);
        EXPECT_EQ(endStatus, 0);
    });
}

// A text box the field table does not list (a layout that gained one) is no field: setting the
// table up, the body check on Enter and the close question all pass it by.
TEST_F(ScheduleScreen, ATextBoxOutsideTheFieldTableIsNoField) {
    onEachDatabase([&](const TestDb&) {
        f().add<forms::TextBox>("Bikou", 0, 0, 1500, 300);
        common::Init_Form();
        ASSERT_EQ(workarea::g_FieldCount, 5);
        EXPECT_EQ(f().Jikoku->tabIndex(), 3);
        enterHeader("C17", "R");
        ASSERT_EQ(g_Mode, "BODY");
        focus(f().Jikoku);
        type("0930");
        answers = {2};
        key(Qt::Key_Return);
        EXPECT_EQ(messages, QStringList{"この内容で更新しますか"});
        answers = {7};
        QTest::mouseClick(f().Cmd_end->widget(), Qt::LeftButton);
        EXPECT_EQ(messages.last(), "終了してもよろしいですか");
        EXPECT_TRUE(f().isShown());
    });
}

} // namespace
