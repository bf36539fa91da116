// Text box caret and selection, limits and input method; labels, buttons and lists.
#include "formtest.h"
#include "platform/forms/color.h"
#include "platform/forms/controls.h"
#include <QComboBox>
#include <QCoreApplication>
#include <QInputMethodQueryEvent>
#include <QLineEdit>
#include <QPushButton>

using namespace forms;

namespace {

class TextBoxTest : public ::testing::Test {
protected:
    Form form{"F"};
    TextBox* box = form.add<TextBox>("T", 0, 0, 1500, 300);
};

TEST_F(TextBoxTest, AssignedTextLeavesTheCaretAtTheStartWithNoSelection) {
    box->setText("12345");
    EXPECT_EQ(box->selStart(), 0);
    EXPECT_EQ(box->selLength(), 0);
    box->setSelStart(1);
    box->setSelLength(3);
    box->setText("12345"); // the same text again
    EXPECT_EQ(box->selStart(), 0);
    EXPECT_EQ(box->selLength(), 0);
}

TEST_F(TextBoxTest, SelStartAndSelLengthAreClampedToTheText) {
    box->setText("abcdef");
    box->setSelStart(2);
    box->setSelLength(99);
    EXPECT_EQ(box->selStart(), 2);
    EXPECT_EQ(box->selLength(), 4);
    EXPECT_EQ(box->lineEdit()->selectedText(), "cdef");
    box->setSelStart(99);
    EXPECT_EQ(box->selStart(), 6);
    EXPECT_EQ(box->selLength(), 0);
    // A selection made backwards still reports its start.
    box->lineEdit()->setSelection(5, -3);
    EXPECT_EQ(box->selStart(), 2);
    EXPECT_EQ(box->selLength(), 3);
}

TEST_F(TextBoxTest, MaxLengthCountsCharacters) {
    box->setMaxLength(3);
    QTest::keyClicks(box->lineEdit(), "abcd");
    EXPECT_EQ(box->text(), "abc");
    // The limit is for typing: text set from code is kept whole, and typing cannot lengthen it.
    box->setText(QStringLiteral("2024/01/05"));
    EXPECT_EQ(box->text(), QStringLiteral("2024/01/05"));
    QTest::keyClick(box->lineEdit(), Qt::Key_End);
    QTest::keyClicks(box->lineEdit(), "x");
    EXPECT_EQ(box->text(), QStringLiteral("2024/01/05"));
    QTest::keyClick(box->lineEdit(), Qt::Key_Backspace);
    EXPECT_EQ(box->text(), QStringLiteral("2024/01/0"));
    box->setMaxLength(0);
    EXPECT_EQ(box->maxLength(), 0);
}

TEST_F(TextBoxTest, LockedRefusesTypingButStillRaisesKeyPress) {
    int presses = 0;
    box->onKeyPress = [&](int&) { ++presses; };
    box->setLocked(true);
    QTest::keyClicks(box->lineEdit(), "ab");
    EXPECT_EQ(box->text(), "");
    EXPECT_EQ(presses, 2);
    EXPECT_TRUE(box->locked());
}

TEST_F(TextBoxTest, ImeDisableSurvivesLockAndUnlock) {
    box->setImeMode(ImeMode::Disable);
    box->setLocked(true);
    box->setLocked(false);
    EXPECT_FALSE(box->lineEdit()->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_TRUE(box->lineEdit()->inputMethodHints() & Qt::ImhLatinOnly);
    box->setImeMode(ImeMode::Off);
    EXPECT_TRUE(box->lineEdit()->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_EQ(box->imeMode(), ImeMode::Off);
}

// What fcitx5's and ibus's Qt modules ask before they hand a key to the input method.
bool answersImEnabled(QLineEdit* edit) {
    QInputMethodQueryEvent query(Qt::ImEnabled);
    QCoreApplication::sendEvent(edit, &query);
    return query.value(Qt::ImEnabled).toBool();
}

TEST_F(TextBoxTest, InputMethodIsRefusedWhereTheModeOrAFullBoxSaysSo) {
    struct Case {
        ImeMode mode;
        const char* text;
        bool selectAll;
        bool expected;
    };
    const Case cases[] = {
        {ImeMode::Disable, "", false, false},
        {ImeMode::Disable, "1", true, false},
        {ImeMode::Off, "", false, true},
        {ImeMode::Off, "123", false, true},
        {ImeMode::Off, "1234", false, false},
        {ImeMode::Off, "1234", true, true},
        {ImeMode::NoControl, "1234", false, false},
        {ImeMode::NoControl, "12345", true, true},
    };
    box->setMaxLength(4);
    for (const Case& c : cases) {
        box->setImeMode(c.mode);
        box->setText(QString::fromUtf8(c.text));
        if (c.selectAll)
            box->lineEdit()->selectAll();
        else
            box->lineEdit()->end(false);
        EXPECT_EQ(answersImEnabled(box->lineEdit()), c.expected)
            << int(c.mode) << " '" << c.text << "' selected " << c.selectAll;
    }
    box->setMaxLength(0);
    box->setText("12345");
    EXPECT_TRUE(answersImEnabled(box->lineEdit())) << "a box without a limit is never full";
}

TEST_F(TextBoxTest, ChangeSeesTheCaretAlreadyAtTheStart) {
    QList<int> caret;
    box->onChange = [&] { caret << box->selStart(); };
    box->setText("xyz");
    box->setText("xyz");
    QTest::keyClick(box->lineEdit(), 'q');
    EXPECT_EQ(caret, (QList<int>{0, 1}));
    EXPECT_EQ(box->text(), "qxyz");
}

// Alt+A moves the focus to the button (LostFocus of the field) and clicks it at once.
TEST(CommandButtonTest, MnemonicFocusesAndClicks) {
    Form form("F");
    auto* box = form.add<TextBox>("T", 0, 0, 1500, 300);
    auto* add = form.add<CommandButton>("Cmd_tuika", 0, 400, 1500, 300);
    add->setCaption(QStringLiteral("追加（&A）"));
    QStringList log;
    box->onLostFocus = [&] { log << "lost T"; };
    add->onClick = [&] { log << "click"; };
    box->setFocus();
    formtest::showActive(&form);
    QTest::keyClick(box->lineEdit(), Qt::Key_A, Qt::AltModifier);
    EXPECT_EQ(log, (QStringList{"lost T", "click"}));
    EXPECT_EQ(form.activeControl(), add);
    EXPECT_EQ(box->text(), "");
}

// A focused button is pressed by Enter as by Space, unless the form's KeyDown takes the key.
TEST(CommandButtonTest, EnterPressesTheFocusedButton) {
    Form form("F");
    form.setKeyPreview(true);
    auto* button = form.add<CommandButton>("SELECT", 0, 0, 1500, 300);
    int clicks = 0;
    button->onClick = [&] { ++clicks; };
    button->setFocus();
    formtest::showActive(&form);
    QTest::keyClick(button->widget(), Qt::Key_Return);
    QTest::keyClick(button->widget(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(clicks, 2);
    form.onKeyDown = [](int& k, int) { k = 0; };
    QTest::keyClick(button->widget(), Qt::Key_Return);
    EXPECT_EQ(clicks, 2);
}

TEST(ComboBoxTest, DropDownListPicksOnlyEntries) {
    Form form("F");
    auto* days = form.add<ComboBox>("YOUBI", 0, 0, 1500, 300);
    int changes = 0;
    days->onChange = [&] { ++changes; };
    days->addItem(QStringLiteral("月"));
    days->addItem(QStringLiteral("火"));
    days->addItem(QStringLiteral("水"));
    EXPECT_EQ(days->listIndex(), -1);
    EXPECT_EQ(days->text(), "");
    EXPECT_EQ(changes, 0);
    days->setListIndex(5);
    EXPECT_EQ(days->listIndex(), -1);
    days->setListIndex(0);
    QTest::keyClick(days->comboBox(), Qt::Key_Down);
    EXPECT_EQ(days->text(), QStringLiteral("火"));
    QTest::keyClick(days->comboBox(), Qt::Key_Up);
    EXPECT_EQ(days->listIndex(), 0);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(days->listCount(), 3);
    EXPECT_EQ(days->list(2), QStringLiteral("水"));
    EXPECT_FALSE(days->comboBox()->isEditable());
    days->clear();
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(days->listCount(), 0);
    EXPECT_EQ(days->listIndex(), -1);
}

TEST(ControlTest, GeometryReadsBackInTheTwipsSet) {
    Form form("F");
    auto* box = form.add<TextBox>("T", 2160, 930, 1000, 365);
    EXPECT_EQ(box->left(), 2160);
    EXPECT_EQ(box->width(), 1000); // 66 px, which alone would read 990
    EXPECT_EQ(box->widget()->geometry(), QRect(144, 62, 66, 24));
    box->widget()->move(10, 10); // moved by Qt: read from the pixels
    EXPECT_EQ(box->left(), 150);
}

TEST(ControlTest, FontValuesTheToolkitRefusesChangeNothing) {
    Form form("F");
    auto* box = form.add<TextBox>("T", 0, 0, 1000, 300);
    ASSERT_TRUE(box->setFontName(QStringLiteral("ＭＳ ゴシック")));
    ASSERT_TRUE(box->setFontSize(11.25));
    EXPECT_FALSE(box->setFontName(" "));
    EXPECT_FALSE(box->setFontSize(0));
    EXPECT_FALSE(box->setFontSize(2161));
    EXPECT_EQ(box->fontName(), QStringLiteral("ＭＳ ゴシック"));
    EXPECT_DOUBLE_EQ(box->fontSize(), 11.25);
}

TEST(ControlTest, ColorsGoToThePaletteRolesOfTheKind) {
    Form form("F");
    auto* box = form.add<TextBox>("T", 0, 0, 1000, 300);
    auto* title = form.add<Label>("tit_X", 0, 0, 1000, 300);
    box->setBackColor(0x00FFFF); // yellow
    title->setBackColor(rgb(128, 128, 128));
    title->setForeColor(rgb(192, 255, 255));
    EXPECT_EQ(box->widget()->palette().color(QPalette::Base), QColor(255, 255, 0));
    EXPECT_EQ(title->widget()->palette().color(QPalette::Window), QColor(128, 128, 128));
    EXPECT_EQ(title->widget()->palette().color(QPalette::WindowText), QColor(192, 255, 255));
    EXPECT_EQ(title->foreColor(), rgb(192, 255, 255));
    EXPECT_EQ(form.add<Label>("L", 0, 0, 1, 1)->backColor(), kSysButtonFace);
}

} // namespace
