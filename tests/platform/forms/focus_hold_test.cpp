// A control disabled while it has the focus stays the active control until the focus moves on,
// as in the original toolkit; Qt alone would pass the focus to the next widget at once.
#include "formtest.h"
#include "platform/forms/controls.h"
#include <QLineEdit>

using namespace forms;

namespace {

class FocusHold : public ::testing::Test {
protected:
    void SetUp() override {
        a = form.add<TextBox>("A", 0, 0, 1500, 300);
        b = form.add<TextBox>("B", 0, 400, 1500, 300);
        c = form.add<TextBox>("C", 0, 800, 1500, 300);
        form.setKeyPreview(true);
        form.onKeyDown = [this](int& k, int) { keys << k; };
        for (Control* x : form.controls()) {
            x->onGotFocus = [this, x] { log << "got " + x->name(); };
            x->onLostFocus = [this, x] { log << "lost " + x->name(); };
        }
        a->setFocus();
        formtest::showActive(&form);
        log.clear();
    }
    Form form{"F"};
    TextBox* a = nullptr;
    TextBox* b = nullptr;
    TextBox* c = nullptr;
    QStringList log;
    QList<int> keys;
};

TEST_F(FocusHold, DisabledActiveControlKeepsTheFocusSilently) {
    a->setEnabled(false);
    EXPECT_EQ(form.activeControl(), a);
    EXPECT_TRUE(log.isEmpty()) << log.join(", ").toStdString();
    // Keys still reach the form's preview while the disabled control is active.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(keys, QList<int>{13});
    c->setFocus();
    EXPECT_EQ(log, (QStringList{"lost A", "got C"}));
    EXPECT_EQ(form.activeControl(), c);
}

// Qt passes a key its disabled control did not take on to the form, which holds the focus
// for that control: the key must not be handled a second time.
TEST_F(FocusHold, AKeyThatDisablesItsControlIsHandledOnce) {
    int presses = 0;
    int ups = 0;
    form.onKeyDown = [this](int& k, int) {
        keys << k;
        if (k == 13) a->setEnabled(false);
    };
    a->onKeyPress = [&](int&) { ++presses; };
    a->onKeyUp = [&](int&, int) { ++ups; };
    QTest::keyClick(a->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(keys, QList<int>{13});
    EXPECT_EQ(presses, 1);
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(form.activeControl(), a);
}

TEST_F(FocusHold, DisablingAnInactiveControlChangesNothing) {
    b->setEnabled(false);
    EXPECT_EQ(form.activeControl(), a);
    EXPECT_TRUE(log.isEmpty());
    EXPECT_FALSE(b->enabled());
}

} // namespace
