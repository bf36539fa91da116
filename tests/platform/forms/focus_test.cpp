// GotFocus/LostFocus follow the focus between controls, not window activation or popups.
#include "formtest.h"
#include "platform/forms/controls.h"
#include <QLineEdit>
#include <QPushButton>

using namespace forms;

namespace {

class FocusEvents : public ::testing::Test {
protected:
    void SetUp() override {
        a = form.add<TextBox>("A", 0, 0, 1500, 300);
        b = form.add<TextBox>("B", 0, 400, 1500, 300);
        button = form.add<CommandButton>("Cmd", 0, 800, 1500, 300);
        for (Control* c : form.controls()) {
            c->onGotFocus = [this, c] { log << "got " + c->name(); };
            c->onLostFocus = [this, c] { log << "lost " + c->name(); };
        }
        a->setFocus();
        formtest::showActive(&form);
        log.clear();
    }
    Form form{"F"};
    TextBox* a = nullptr;
    TextBox* b = nullptr;
    CommandButton* button = nullptr;
    QStringList log;
};

TEST_F(FocusEvents, TabRaisesLostThenGot) {
    ASSERT_EQ(form.activeControl(), a);
    QTest::keyClick(a->lineEdit(), Qt::Key_Tab);
    EXPECT_EQ(log, (QStringList{"lost A", "got B"}));
    EXPECT_EQ(form.activeControl(), b);
    EXPECT_TRUE(b->hasFocus());
    EXPECT_FALSE(a->hasFocus());
}

TEST_F(FocusEvents, ClickingAnotherControlMovesTheFocus) {
    QTest::mouseClick(button->button(), Qt::LeftButton);
    EXPECT_EQ(log, (QStringList{"lost A", "got Cmd"}));
}

TEST_F(FocusEvents, WindowDeactivationAndReactivationRaiseNothing) {
    QWidget other;
    formtest::showActive(&other);
    formtest::showActive(&form);
    EXPECT_TRUE(log.isEmpty()) << log.join(", ").toStdString();
    EXPECT_EQ(form.activeControl(), a);
}

// Focus moved while a message box is open is reported at once, and only once.
TEST_F(FocusEvents, FocusSetAfterAMessageBoxIsReportedOnce) {
    button->onClick = [this] {
        MsgBox("moving");
        b->setFocus();
    };
    formtest::whenMessageBoxOpens([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Return); });
    button->button()->click();
    QTest::qWait(50);
    EXPECT_EQ(log, (QStringList{"lost A", "got B"}));
    EXPECT_EQ(form.activeControl(), b);
}

TEST_F(FocusEvents, GotFocusHasTheLastWordOnTheSelection) {
    b->setText("abcdef");
    b->onGotFocus = [this] { b->setSelStart(2); };
    QTest::keyClick(a->lineEdit(), Qt::Key_Tab); // Qt would select all on Tab
    EXPECT_EQ(b->selStart(), 2);
    EXPECT_EQ(b->selLength(), 0);
}

// As a freshly loaded form, it starts again at its first control.
TEST_F(FocusEvents, AReloadedFormRaisesGotFocusForItsFirstControl) {
    b->setFocus();
    log.clear();
    form.unload();
    form.showForm();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::qWait(20);
    EXPECT_EQ(log, (QStringList{"got A"}));
    ASSERT_TRUE(form.activeControl());
    EXPECT_EQ(form.activeControl()->name(), "A");
}

} // namespace
