#include "input/field_lookup.h"
#include "platform/forms/controls.h"
#include "platform/forms/form.h"
#include "shell/workarea.h"

namespace input {

using namespace workarea;

forms::Control* fieldControl(int i) {
    if (i < 0 || i >= g_FieldCount || i >= static_cast<int>(g_FieldCtl.size())) return nullptr;
    return g_FieldCtl[i];
}

int currentField() {
    if (!g_Form) return -1;
    forms::Control* active = g_Form->activeControl();
    if (!active) return -1;
    const int i = active->tabIndex();
    // A control outside the table (grid, buttons) may share a number with no field.
    if (fieldControl(i) != active) return -1;
    return i;
}

forms::TextBox* asTextBox(forms::Control* ctl) {
    return dynamic_cast<forms::TextBox*>(ctl);
}

} // namespace input
