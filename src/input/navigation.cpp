// Moving the focus between the fields of the field table, and enabling them by mode.
#include "input/field_lookup.h"
#include "input/manage.h"
#include "platform/forms/controls.h"
#include "platform/forms/keys.h"
#include "shell/workarea.h"

namespace manage {

int16_t g_FieldIdx = 0;

namespace {

// A field can take the focus only when it is enabled, visible and not locked.
bool eligible(forms::Control* ctl) {
    if (!ctl || !ctl->enabled() || !ctl->visible()) return false;
    const forms::TextBox* tb = input::asTextBox(ctl);
    return !tb || !tb->locked();
}

// The operator has not started editing: nothing typed, or everything selected. A drop-down
// list always shows its entry as a whole.
bool moveAllowed(forms::Control* current) {
    const forms::TextBox* tb = input::asTextBox(current);
    if (!tb) return true;
    const QString text = tb->text();
    return text.isEmpty() || tb->selLength() == text.length();
}

} // namespace

void Next_Field(int16_t keyCode) {
    const int current = input::currentField();
    if (current < 0) return;
    const int16_t count = workarea::g_FieldCount;
    g_FieldIdx = static_cast<int16_t>(current == count - 1 ? 0 : current + 1);
    while (g_FieldIdx != current) {
        forms::Control* target = input::fieldControl(g_FieldIdx);
        if (eligible(target)) {
            if (keyCode == forms::kKeyEnter || keyCode == forms::kKeyDown ||
                moveAllowed(input::fieldControl(current)))
                target->setFocus();
            return;
        }
        g_FieldIdx = static_cast<int16_t>(g_FieldIdx == count - 1 ? 0 : g_FieldIdx + 1);
    }
}

void Prev_Field(int16_t /*keyCode*/) {
    const int current = input::currentField();
    if (current < 0) return;
    const int16_t count = workarea::g_FieldCount;
    g_FieldIdx = static_cast<int16_t>(current == 0 ? count - 1 : current - 1);
    for (; g_FieldIdx >= 0; --g_FieldIdx) {
        forms::Control* target = input::fieldControl(g_FieldIdx);
        if (eligible(target)) {
            if (moveAllowed(input::fieldControl(current))) target->setFocus();
            return;
        }
    }
}

void Enable_Fields(const QString& mode) {
    using namespace workarea;
    for (int i = 0; i < g_FieldCount; ++i) {
        forms::Control* ctl = input::fieldControl(i);
        if (!ctl) continue;
        ctl->setEnabled(i < static_cast<int>(g_FieldMode.size()) && g_FieldMode[i] == mode);
    }
}

} // namespace manage
