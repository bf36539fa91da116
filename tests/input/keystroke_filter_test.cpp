// Keystroke classes with real key events in the schedule screen's fields.
#include "input/kb_chk.h"
#include "input_screen.h"
#include "shell/workarea.h"
#include <QApplication>
#include <QClipboard>

using workarea::g_FieldClass;

namespace {

struct ClassCase {
    const char* cls;
    const char* typed;
    const char* expected;
};

void PrintTo(const ClassCase& c, std::ostream* os) {
    *os << "class \"" << c.cls << "\" typing \"" << c.typed << '"';
}

} // namespace

class KeyClassTest : public InputScreenTest, public ::testing::WithParamInterface<ClassCase> {};

TEST_P(KeyClassTest, TypedKeysAreFilteredByClass) {
    g_FieldClass[0] = QString::fromLatin1(GetParam().cls);
    focus(center);
    type(QString::fromLatin1(GetParam().typed));
    EXPECT_EQ(center->text(), QString::fromLatin1(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Classes, KeyClassTest,
    ::testing::Values(ClassCase{"1", "a,'\"-x", "a,'\"-x"}, ClassCase{"1U", "ab,", "ab,"},
                      ClassCase{"2", "a,b'c\"D", "abcD"}, ClassCase{"2U", "a,bZ'", "ABZ"},
                      ClassCase{"2L", "AbC,", "abc"}, ClassCase{"3", "1a-.,/:2", "12"},
                      ClassCase{"3U", "a-,'", "a-,'"}, ClassCase{"4", "1-2-a.", "1-2"},
                      ClassCase{"5", "1.2.-,", "1.2"}, ClassCase{"6", "1,2,.", "1,2,"},
                      ClassCase{"7", "1.-2.-,", "1.-2"}, ClassCase{"8", "1-,-.", "1-,"},
                      ClassCase{"9", "1.,.-", "1.,"}, ClassCase{"A", "-1,.-.,", "-1,.,"},
                      ClassCase{"B", "1/2:a", "1/2"}, ClassCase{"C", "1/2:a", "12:"},
                      ClassCase{"D", "1/2:a-", "1/2:"}));

TEST_F(InputScreenTest, EmptyClassBecomesTwoAtTheFirstRealKey) {
    g_FieldClass[1] = "";
    focus(soujyu);
    press(Qt::Key_Backspace);
    press(Qt::Key_Return);
    EXPECT_EQ(g_FieldClass[1], "") << "Backspace and Enter leave the class alone";
    focus(soujyu);
    type(",");
    EXPECT_EQ(g_FieldClass[1], "2");
    type("a");
    EXPECT_EQ(soujyu->text(), "a") << "class 2 keeps the case";
}

TEST_F(InputScreenTest, SecondMinusOrPeriodRefusedEvenWhenTheFirstIsSelected) {
    g_FieldClass[0] = "7";
    focus(center);
    type("1.2-");
    center->setSelStart(3);
    center->setSelLength(1);
    type("-");
    center->setSelStart(1);
    center->setSelLength(1);
    type(".");
    EXPECT_EQ(center->text(), "1.2-");
    type("3");
    EXPECT_EQ(center->text(), "132-") << "a digit still replaces the selection";
}

TEST_F(InputScreenTest, InputMethodTextAndPasteOnlyWhereTheClassAllowsThem) {
    focus(center);
    commit(QStringLiteral("ａあ"));
    EXPECT_EQ(center->text(), QStringLiteral("ａあ")) << "class 2U takes them unchanged";

    focus(jikoku);
    type("09");
    QApplication::clipboard()->setText(QStringLiteral("30"));
    press(Qt::Key_V, Qt::ControlModifier);
    commit(QStringLiteral("３"));
    EXPECT_EQ(jikoku->text(), "09");
    press(Qt::Key_Backspace);
    EXPECT_EQ(jikoku->text(), "0");
}

TEST_F(InputScreenTest, EnterReachesTheFormInEveryClass) {
    center->setText("C01"); // a center the check finds
    for (const char* cls : {"1", "2", "3", "D", ""}) {
        g_FieldClass[0] = QString::fromLatin1(cls);
        focus(center);
        press(Qt::Key_Return);
        EXPECT_EQ(active(), soujyu) << "class " << cls;
    }
}

TEST_F(InputScreenTest, FilterIgnoresControlsOutsideTheTable) {
    focus(form->control(QStringLiteral("Cmd_end")));
    int key = ',';
    KB_CHK::Chk_KeyPress(key);
    workarea::g_Form = nullptr;
    KB_CHK::Chk_KeyPress(key);
    KB_CHK::Chk_Minus(key);
    EXPECT_EQ(key, ',');
}
