#pragma once
// The real schedule screen, started on the first test database with the text colours the
// tests name, driven by real key events. The field check that automatic advance runs is the
// screen's own, watched on its way; a test may answer it in advance instead.
#include "platform/forms/controls.h"
#include "platform/forms/form.h"
#include "support/app/app_fixture.h"
#include "support/qtprint.h"
#include <QString>
#include <QtTest/QTest>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

class InputScreenTest : public AppFixture {
protected:
    static constexpr uint32_t kBackColor = 0x80000005;  // window colour, held as -2147483643
    static constexpr uint32_t kFocusColor = 0x0080FFFF; // light yellow

    void SetUp() override;
    void TearDown() override;

    // Puts the focus on c the way the screen code does, then lets the events run.
    void focus(forms::Control* c);
    QWidget* focusWidget() const;
    forms::Control* active() const { return form->activeControl(); }
    void type(const QString& keys);
    void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier);
    // Text committed by an input method into the focused control.
    void commit(const QString& text);

    forms::Form* form = nullptr;
    forms::TextBox* center = nullptr;
    forms::TextBox* soujyu = nullptr;
    forms::ComboBox* youbi = nullptr;
    forms::TextBox* jikoku = nullptr;

    // The fields automatic advance checked, and the answer given instead of the screen's check.
    std::vector<int16_t> checked;
    std::optional<int16_t> checkResult;

private:
    bool started_ = false;
};
