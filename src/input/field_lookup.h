#pragma once
// Lookups into the field table shared by the keystroke filter and the field framework.
#include <QString>
#include <cstdint>

namespace forms {
class Control;
class TextBox;
} // namespace forms

namespace input {

// Field number of the active control of g_Form, or -1 when it is not a field of the table.
int currentField();
// The control of field i, or nullptr when i is outside the table.
forms::Control* fieldControl(int i);
forms::TextBox* asTextBox(forms::Control* ctl);

} // namespace input
