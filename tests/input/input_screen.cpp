#include "input_screen.h"
#include "input/kb_chk.h"
#include "input/manage.h"
#include "screens/schedule_layout.h"
#include "shell/workarea.h"
#include <QApplication>
#include <QInputMethodEvent>

using namespace workarea;

void InputScreenTest::SetUp() {
    form = std::make_unique<forms::Form>(QStringLiteral("F_M352040"));
    screens::layoutScheduleScreen(*form);
    center = form->get<forms::TextBox>(QStringLiteral("Center_CD"));
    soujyu = form->get<forms::TextBox>(QStringLiteral("Soujyu"));
    youbi = form->get<forms::ComboBox>(QStringLiteral("YOUBI"));
    jikoku = form->get<forms::TextBox>(QStringLiteral("Jikoku"));
    ASSERT_TRUE(center && soujyu && youbi && jikoku);
    for (const char* day : {"月", "火", "水"})
        youbi->addItem(QString::fromUtf8(day));
    youbi->setListIndex(0);

    g_Form = form.get();
    g_FieldCount = 4;
    g_FieldCtl = {center, soujyu, youbi, jikoku};
    g_FieldClass = {"2U", "2U", "2U", "D"};
    g_FieldFormat = {"", "", "", "hh:mm"};
    g_FieldMode = {"HEAD", "HEAD", "BODY", "BODY"};
    for (int i = 0; i < g_FieldCount; ++i)
        g_FieldCtl[i]->setTabIndex(i);
    g_TextBackColor = -2147483643.0;
    g_TextFocusColor = static_cast<double>(kFocusColor);

    for (forms::TextBox* tb : {center, soujyu, jikoku}) {
        tb->onGotFocus = [tb] { manage::Fld_GotFocus(tb); };
        tb->onLostFocus = [tb] { manage::Fld_LostFocus(tb); };
    }
    for (forms::Control* c : g_FieldCtl)
        c->onKeyPress = [](int& keyAscii) { KB_CHK::Chk_KeyPress(keyAscii); };
    for (forms::TextBox* tb : {center, soujyu})
        tb->onKeyUp = [tb](int& keyCode, int shift) {
            if (tb->enabled()) manage::Auto_Advance(int16_t(keyCode), int16_t(shift));
        };
    // The navigating part of the screen's key dispatch.
    form->onKeyDown = [this](int& keyCode, int) {
        if (keyCode == 13) manage::Next_Field(13);
        if (form->activeControl() == youbi) return; // the list keeps its arrow keys
        if (keyCode == 38) manage::Prev_Field(38);
        if (keyCode == 40) manage::Next_Field(40);
    };
    manage::g_FieldCheck = [this](int16_t field, int16_t& result) {
        checked.push_back(field);
        result = checkResult;
    };

    form->showForm();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
}

void InputScreenTest::TearDown() {
    manage::g_FieldCheck = nullptr;
    g_Form = nullptr;
    g_FieldCount = 0;
    g_FieldCtl.clear();
    g_FieldClass.clear();
    g_FieldFormat.clear();
    g_FieldMode.clear();
    form.reset();
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
