#pragma once
// The schedule screen's layout with its field table and the field events wired to the input
// framework as the screen wires them, shown and active so that real key events reach it.
#include "platform/forms/controls.h"
#include "platform/forms/form.h"
#include "support/qtprint.h"
#include <QString>
#include <QtTest/QTest>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

class InputScreenTest : public ::testing::Test {
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

    std::unique_ptr<forms::Form> form;
    forms::TextBox* center = nullptr;
    forms::TextBox* soujyu = nullptr;
    forms::ComboBox* youbi = nullptr;
    forms::TextBox* jikoku = nullptr;

    // What the field check hook saw, and what it answers.
    std::vector<int16_t> checked;
    int16_t checkResult = 0;
};
