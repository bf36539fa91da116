// The key sequence a form raises for its controls: form KeyDown, control KeyDown, KeyPress,
// KeyUp; KeyAscii replacement and cancellation; input-method text.
#include "formtest.h"
#include "platform/forms/controls.h"
#include "platform/forms/flexgrid.h"
#include "platform/forms/keys.h"
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

using namespace forms;

namespace {

class KeySequence : public ::testing::Test {
protected:
    void SetUp() override {
        form.setKeyPreview(true);
        box = form.add<TextBox>("Text1", 0, 0, 1500, 300);
        form.onKeyDown = [this](int& code, int shift) {
            log << QString("form down %1 %2").arg(code).arg(shift);
        };
        box->onKeyDown = [this](int& code, int shift) {
            log << QString("down %1 %2").arg(code).arg(shift);
        };
        box->onKeyPress = [this](int& ascii) { log << QString("press %1").arg(ascii); };
        box->onKeyUp = [this](int& code, int shift) {
            log << QString("up %1 %2").arg(code).arg(shift);
        };
    }
    QLineEdit* edit() const { return box->lineEdit(); }

    Form form{"F"};
    TextBox* box = nullptr;
    QStringList log;
};

TEST_F(KeySequence, FormSeesTheKeyFirstThenTheControlThenKeyPressAndKeyUp) {
    QTest::keyClick(edit(), 'a');
    EXPECT_EQ(log, (QStringList{"form down 65 0", "down 65 0", "press 97", "up 65 0"}));
    EXPECT_EQ(box->text(), "a");
}

TEST_F(KeySequence, WithoutKeyPreviewTheFormSeesNothing) {
    form.setKeyPreview(false);
    QTest::keyClick(edit(), Qt::Key_F5);
    EXPECT_EQ(log, (QStringList{"down 116 0", "up 116 0"}));
}

TEST_F(KeySequence, LettersReportUpperCaseCodesAndTheShiftState) {
    QTest::keyClick(edit(), 'B', Qt::ShiftModifier);
    EXPECT_TRUE(log.contains("down 66 1")) << log.join(", ").toStdString();
    EXPECT_TRUE(log.contains("press 66"));
    log.clear();
    QTest::keyClick(edit(), 'b');
    EXPECT_TRUE(log.contains("down 66 0"));
    EXPECT_TRUE(log.contains("press 98"));
}

// '(' and '&' share their Qt key numbers with the arrow codes 40 and 38.
TEST_F(KeySequence, SymbolsNeverLookLikeCursorKeys) {
    QTest::keyClicks(edit(), "(&'%$#");
    for (const QString& line : log) {
        if (!line.startsWith("down") && !line.startsWith("up")) continue;
        const int code = line.section(' ', 1, 1).toInt();
        EXPECT_FALSE(code >= kKeyPageUp && code <= kKeyDown) << line.toStdString();
    }
    EXPECT_EQ(box->text(), "(&'%$#");
}

TEST_F(KeySequence, ReturnAndKeypadEnterAreBoth13) {
    QTest::keyClick(edit(), Qt::Key_Return);
    QTest::keyClick(edit(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(log.count("down 13 0"), 2);
    EXPECT_EQ(log.count("press 13"), 2);
}

TEST_F(KeySequence, KeysWithoutCharacterRaiseNoKeyPress) {
    for (Qt::Key k : {Qt::Key_Delete, Qt::Key_F12, Qt::Key_Up, Qt::Key_Home})
        QTest::keyClick(edit(), k);
    EXPECT_EQ(log.filter("press").size(), 0) << log.join(", ").toStdString();
    EXPECT_TRUE(log.contains("down 46 0"));
    EXPECT_TRUE(log.contains("down 123 0"));
    EXPECT_TRUE(log.contains("down 38 0"));
    EXPECT_TRUE(log.contains("down 36 0"));
}

TEST_F(KeySequence, ChangedKeyAsciiTypesTheNewCharacterWithinMaxLength) {
    box->setMaxLength(3);
    box->onKeyPress = [](int& ascii) {
        if (ascii >= 'a' && ascii <= 'z') ascii -= 32;
    };
    QTest::keyClicks(edit(), "abcd");
    EXPECT_EQ(box->text(), "ABC");
}

TEST_F(KeySequence, KeyAsciiZeroDropsTheKeyButKeyUpStillComes) {
    box->onKeyPress = [this](int& ascii) {
        log << QString("press %1").arg(ascii);
        if (ascii == ',') ascii = 0;
    };
    QTest::keyClicks(edit(), "1,2");
    EXPECT_EQ(box->text(), "12");
    EXPECT_TRUE(log.contains("up 188 0"));
}

TEST_F(KeySequence, CtrlVIsKeyAscii22AndPastesOnlyWhenNotCancelled) {
    QGuiApplication::clipboard()->setText("XY");
    bool cancel = true;
    box->onKeyPress = [&](int& ascii) {
        log << QString("press %1").arg(ascii);
        if (cancel) ascii = 0;
    };
    QTest::keyClick(edit(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(log.contains("press 22"));
    EXPECT_TRUE(log.contains("down 86 2"));
    EXPECT_EQ(box->text(), "");
    cancel = false;
    QTest::keyClick(edit(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->text(), "XY");
}

// Setting KeyCode to 0 in the form's KeyDown keeps the key from the control's KeyDown and its
// own handling, but a character key still raises KeyPress and is typed.
TEST_F(KeySequence, KeyCodeZeroStopsKeyDownNotKeyPress) {
    form.onKeyDown = [](int& code, int) { code = 0; };
    box->setText("abc");
    box->setSelStart(1);
    QTest::keyClick(edit(), Qt::Key_Delete);
    EXPECT_EQ(box->text(), "abc");
    QTest::keyClick(edit(), 'x');
    EXPECT_EQ(box->text(), "axbc");
    EXPECT_EQ(log.filter("down").size(), 0);
    EXPECT_TRUE(log.contains("press 120"));
}

TEST_F(KeySequence, AutoRepeatRepeatsKeyDownButNotKeyUp) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a", true);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, "a", true);
    QApplication::sendEvent(edit(), &press);
    QApplication::sendEvent(edit(), &release);
    EXPECT_EQ(log, (QStringList{"form down 65 0", "down 65 0", "press 97"}));
}

TEST_F(KeySequence, InputMethodTextIsOneKeyPressPerCharacterAbove127) {
    std::vector<int> codes;
    box->onKeyPress = [&](int& ascii) {
        codes.push_back(ascii);
        if (ascii == 0x672C) ascii = 0; // 本
    };
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("日本語"));
    QApplication::sendEvent(edit(), &commit);
    ASSERT_EQ(codes.size(), 3u);
    for (int c : codes)
        EXPECT_GT(c, 127);
    EXPECT_EQ(box->text(), QStringLiteral("日語"));
}

TEST_F(KeySequence, InputMethodTextRespectsMaxLength) {
    box->setMaxLength(2);
    box->onKeyPress = [](int&) {};
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("東京都"));
    QApplication::sendEvent(edit(), &commit);
    EXPECT_EQ(box->text(), QStringLiteral("東京"));
}

TEST_F(KeySequence, AMessageBoxInsideKeyDownDoesNotBreakTheSequence) {
    formtest::showActive(&form);
    form.onKeyDown = [this](int& code, int) {
        log << "form down";
        if (code == kKeyEnter) log << QString("answer %1").arg(MsgBox("ok?", 1));
    };
    formtest::whenMessageBoxOpens([](QMessageBox* b) { QTest::keyClick(b, Qt::Key_Escape); });
    QTest::keyClick(edit(), Qt::Key_Return);
    EXPECT_EQ(log, (QStringList{"form down", "answer 2", "down 13 0", "press 13", "up 13 0"}));
}

TEST_F(KeySequence, AFailingHandlerIsReportedAndTheSequenceGoesOn) {
    formtest::ScriptedMsgBox msg;
    box->onKeyDown = [](int&, int) { throw std::runtime_error("boom"); };
    QTest::keyClick(edit(), 'q');
    ASSERT_EQ(msg.shown.size(), 1u);
    EXPECT_EQ(msg.shown[0].prompt, "boom");
    EXPECT_EQ(box->text(), "q");
}

TEST(KeyPreview, ReachesTheFormFromButtonsAndGrids) {
    Form form("F");
    form.setKeyPreview(true);
    auto* button = form.add<CommandButton>("Cmd", 0, 0, 1000, 300);
    auto* grid = form.add<FlexGrid>("GRID", 0, 400, 3000, 2000);
    grid->setRows(4);
    QList<int> seen;
    int rowInKeyDown = -1;
    form.onKeyDown = [&](int& code, int) { seen << code; };
    grid->onKeyDown = [&](int&, int) { rowInKeyDown = grid->row(); };
    QTest::keyClick(button->button(), Qt::Key_Return);
    QTest::keyClick(grid->table(), Qt::Key_Down);
    EXPECT_EQ(seen, (QList<int>{kKeyEnter, kKeyDown}));
    EXPECT_EQ(rowInKeyDown, 1); // the grid moves after its KeyDown
    EXPECT_EQ(grid->row(), 2);
}

} // namespace
