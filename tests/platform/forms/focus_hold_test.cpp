// A control disabled while it has the focus stays the active control until the focus moves on,
// as in the original toolkit; Qt alone would pass the focus to the next widget at once.
#include "formtest.h"
#include "platform/forms/controls.h"

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

TEST_F(FocusHold, DisablingAnInactiveControlChangesNothing) {
    b->setEnabled(false);
    EXPECT_EQ(form.activeControl(), a);
    EXPECT_TRUE(log.isEmpty());
    EXPECT_FALSE(b->enabled());
}

} // namespace
