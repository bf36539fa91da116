#pragma once
// Keystroke filter: each field's input class decides which characters may be typed into it.
// Works on the active control of g_Form; the field is found through its TabIndex.

namespace KB_CHK {

// Leaves KeyAscii alone, sets it to 0 (the key is dropped) or changes its case.
void Chk_KeyPress(int& KeyAscii);
// Drops the key when the active control's text already holds a "-".
void Chk_Minus(int& KeyAscii);
// Drops the key when the active control's text already holds a ".".
void Chk_Period(int& KeyAscii);

} // namespace KB_CHK
