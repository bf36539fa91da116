#include "input_screen.h"
#include "input/manage.h"
#include "schedule/common.h"
#include "schedule/f_m352040.h"
#include "shell/workarea.h"
#include "startup/M352040_M.h"
#include "support/testdb.h"
#include <QApplication>
#include <QInputMethodEvent>

void InputScreenTest::SetUp() {
    AppFixture::SetUp();
    const std::vector<TestDb> dbs = testDatabases();
    if (dbs.empty()) GTEST_SKIP() << "no test database configured";
    resetDatabase(dbs.front());
    writeIni(
        iniFor(dbs.front().dsn)
            .replace("TextBackColor=16777215", "TextBackColor=-2147483643")
            .replace("TextFocusColor=12648447", "TextFocusColor=" + QString::number(kFocusColor)));
    ASSERT_TRUE(M352040_M::Main("A001"));
    started_ = true;
    F_M352040& f = frm();
    form = &f;
    center = f.Center_CD;
    soujyu = f.Soujyu;
    youbi = f.YOUBI;
    jikoku = f.Jikoku;
    // Every field open, whatever the mode, until a test chooses one.
    for (forms::Control* c : workarea::g_FieldCtl)
        c->setEnabled(true);

    const auto screenCheck = manage::g_FieldCheck;
    manage::g_FieldCheck = [this, screenCheck](int16_t field, int16_t& result) {
        checked.push_back(field);
        if (checkResult)
            result = *checkResult;
        else
            screenCheck(field, result);
    };
    QApplication::setActiveWindow(form);
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
}

void InputScreenTest::TearDown() {
    if (started_) {
        manage::g_FieldCheck = nullptr;
        M352040_M::resetMain();
        common::resetState();
    }
    AppFixture::TearDown();
}

void InputScreenTest::focus(forms::Control* c) {
    c->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(form->activeControl(), c);
}

QWidget* InputScreenTest::focusWidget() const {
    return QApplication::focusWidget();
}

void InputScreenTest::type(const QString& keys) {
    QTest::keyClicks(focusWidget(), keys);
}

void InputScreenTest::press(Qt::Key key, Qt::KeyboardModifiers mods) {
    QTest::keyClick(focusWidget(), key, mods);
}

void InputScreenTest::commit(const QString& text) {
    QInputMethodEvent e;
    e.setCommitString(text);
    QApplication::sendEvent(focusWidget(), &e);
}
