// The field check run on Enter and on automatic advance, and the check before a write.
#include "input/field_lookup.h"
#include "input/manage.h"
#include "platform/forms/control.h"
#include "schedule/check_field.h"
#include "schedule/common.h"
#include "shell/workarea.h"

using namespace workarea;

namespace common {

// A number without a control in the field table is no field and passes.
void Chk_Field(int16_t i, int16_t& result) {
    forms::Control* const ctl = input::fieldControl(i);
    if (!ctl) return;
    manage::Fmt_Field(i);
    const QString name = ctl->name();
    if (name == QLatin1String("Center_CD"))
        check_field::Chk_Center(result);
    else if (name == QLatin1String("Soujyu"))
        check_field::Chk_Soujyu(result);
    else if (name == QLatin1String("Jikoku"))
        check_field::Chk_Jikoku(result);
    manage::Sel_All(ctl);
}

void Chk_Body(int16_t& result) {
    // The day is a list entry and needs no check; the loop starts at the time.
    for (int16_t i = 3; i < g_FieldCount; ++i) {
        Chk_Field(i, result);
        if (result != 0) {
            forms::Control* const ctl = input::fieldControl(i);
            ctl->setFocus();
            manage::Sel_All(ctl);
            return;
        }
    }
}

} // namespace common
