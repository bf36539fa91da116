// Automatic advance of a header field that the operator has typed full.
#include "input/field_lookup.h"
#include "input/manage.h"
#include "platform/forms/controls.h"
#include "platform/forms/form.h"
#include "platform/forms/keys.h"
#include "platform/text/cp932.h"
#include "shell/workarea.h"

namespace manage {

std::function<void(int16_t field, int16_t& result)> g_FieldCheck;

namespace {

// Keys that navigate or are only held down never make a field full.
bool isNavigationKey(int16_t keyCode) {
    switch (keyCode) {
    case forms::kKeyEnter:
    case forms::kKeyShift:
    case forms::kKeyControl:
    case forms::kKeyEscape:
    case forms::kKeyUp:
    case forms::kKeyDown:
        return true;
    default:
        return false;
    }
}

} // namespace

void Auto_Advance(int16_t keyCode, int16_t shift) {
    using workarea::g_Form;
    if (shift != 0 || isNavigationKey(keyCode)) return;
    const int current = input::currentField();
    if (current < 0 || current == workarea::g_FieldCount - 1) return;
    if (!g_Form->isShown()) return;
    forms::TextBox* tb = input::asTextBox(g_Form->activeControl());
    if (!tb) return;

    // Taken before the cut: the advance test judges what the operator typed.
    const QString text = tb->text();
    const int m = tb->maxLength();
    const int s = tb->selStart();
    const int l = tb->selLength();
    const int n = text.length();

    // MaxLength counts characters; the database column counts Shift-JIS bytes.
    if (m < Get_ByteLen(text)) {
        tb->setText(text::cp932Left(text, m));
        tb->setSelStart(tb->text().length());
    }

    const bool full = n == m && ((s + l == m && l == 1) || s == m || l == m);
    if (!full) return;
    int16_t result = 0;
    if (g_FieldCheck) g_FieldCheck(static_cast<int16_t>(current), result);
    if (result == 9)
        Sel_All(g_Form->activeControl());
    else
        Next_Field(forms::kKeyEnter);
}

} // namespace manage
