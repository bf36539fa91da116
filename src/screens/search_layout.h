#pragma once
// Controls of the code search dialog SEARCH_MSTDB.

namespace forms {
class Form;
}

namespace screens {

void layoutSearchDialog(forms::Form& form);

} // namespace screens
