// Focus colouring and selection of a field's text.
#include "input/field_lookup.h"
#include "input/manage.h"
#include "platform/forms/controls.h"
#include "shell/appearance.h"
#include "shell/workarea.h"

namespace manage {

void Set_FieldColor(forms::Control* ctl, const QString& kind) {
    if (!ctl) return;
    const double color =
        kind == QLatin1String("2") ? workarea::g_TextBackColor : workarea::g_TextFocusColor;
    // A colour that is no 32-bit value leaves the control as it is.
    if (auto value = appearance::oleColor(color)) ctl->setBackColor(*value);
}

void Sel_All(forms::Control* ctl) {
    forms::TextBox* tb = input::asTextBox(ctl);
    if (!tb) return;
    const int n = tb->text().length();
    if (n == 0) return;
    tb->setSelStart(0);
    tb->setSelLength(n);
}

void Fld_GotFocus(forms::Control* ctl) {
    Set_FieldColor(ctl, QStringLiteral("1"));
    Sel_All(ctl);
}

void Fld_LostFocus(forms::Control* ctl) {
    Set_FieldColor(ctl, QStringLiteral("2"));
}

} // namespace manage
