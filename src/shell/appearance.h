#pragma once
// The style settings applied to the current form, centring a form, clearing the current form.
#include <cstdint>
#include <optional>

namespace forms {
class Form;
}

namespace appearance {

// A colour setting held as a number, as the 32-bit colour value a control takes; nullopt when
// it does not fit 32 bits.
std::optional<uint32_t> oleColor(double value);

// Applies the style settings to g_Form (loading it first). On a value the toolkit refuses it
// shows "項目設定エラー", ends the program and returns false.
bool Set_Style();
void Center_Form(forms::Form& form);
// Where Center_Form puts a form of the given size on a screen of the given size (twips).
struct Position {
    int left;
    int top;
};
Position centredPosition(int screenWidth, int screenHeight, int formWidth, int formHeight);
// Empties the text boxes and "lbl_" labels of g_Form and counts its fields into g_FieldCount.
void Clear_Form();

} // namespace appearance
