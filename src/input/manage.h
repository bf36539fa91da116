#pragma once
// Field framework shared by the input screens: focus colours, navigation between the fields of
// the field table by TabIndex, automatic advance of full fields, display formats.
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

namespace forms {
class Control;
}

namespace manage {

// Running index of Next_Field and Prev_Field.
extern int16_t g_FieldIdx;

// The screen's field check, run by Auto_Advance for a full field; a result of 9 keeps the
// operator in the field. Unset means every field passes.
extern std::function<void(int16_t field, int16_t& result)> g_FieldCheck;

// Focus colouring: GotFocus paints the focus colour and selects the text, LostFocus restores
// the normal colour.
void Fld_GotFocus(forms::Control* ctl);
void Fld_LostFocus(forms::Control* ctl);
// kind "2" is the normal colour, anything else the focus colour.
void Set_FieldColor(forms::Control* ctl, const QString& kind);
// Selects the whole text of a text box; an empty text or another kind of control is left alone.
void Sel_All(forms::Control* ctl);

// Focus to the next eligible field (cyclic). For codes other than 13 and 40 only when the
// current text is empty or wholly selected.
void Next_Field(int16_t keyCode);
// Focus to the previous eligible field (no wrap below field 0), only when the current text is
// empty or wholly selected.
void Prev_Field(int16_t keyCode);
// Enables the fields of the given mode ("HEAD"/"BODY") and disables all others.
void Enable_Fields(const QString& mode);
// KeyUp of a header field: cuts the text to MaxLength bytes and moves on when it is full.
void Auto_Advance(int16_t keyCode, int16_t shift);

// Bytes of the Shift-JIS form of s; 0 for Null.
int Get_ByteLen(const std::optional<QString>& s);
// Brings field i into its display format and within MaxLength bytes.
void Fmt_Field(int16_t i);
// The value without surrounding blanks, or def when the value is Null.
QString Nz_Trim(const std::optional<QString>& value, const QString& def = QString());

} // namespace manage
