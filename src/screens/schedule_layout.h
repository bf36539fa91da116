#pragma once
// Controls of the schedule maintenance screen F_M352040, in their design tab order.

namespace forms {
class Form;
}

namespace screens {

void layoutScheduleScreen(forms::Form& form);

} // namespace screens
