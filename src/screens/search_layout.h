#pragma once
// Controls of the code search dialog SEARCH_MSTDB.

namespace forms {
class Form;
}

namespace screens {

void layoutSearchDialog(forms::Form& form);
// Puts the window and its grid back to their design widths (a search kind widens them).
void designWidths(forms::Form& form);

} // namespace screens
