#pragma once
// Key codes and shift states of the original toolkit, and their mapping from Qt key events.
#include <Qt>

class QKeyEvent;

namespace forms {

constexpr int kKeyBackspace = 8;
constexpr int kKeyTab = 9;
constexpr int kKeyEnter = 13; // Return and keypad Enter alike
constexpr int kKeyShift = 16;
constexpr int kKeyControl = 17;
constexpr int kKeyAlt = 18;
constexpr int kKeyEscape = 27;
constexpr int kKeySpace = 32;
constexpr int kKeyPageUp = 33;
constexpr int kKeyPageDown = 34;
constexpr int kKeyEnd = 35;
constexpr int kKeyHome = 36;
constexpr int kKeyLeft = 37;
constexpr int kKeyUp = 38;
constexpr int kKeyRight = 39;
constexpr int kKeyDown = 40;
constexpr int kKeyInsert = 45;
constexpr int kKeyDelete = 46;
constexpr int kKey0 = 48;   // '0'..'9' are 48..57
constexpr int kKeyA = 65;   // 'A'..'Z' are 65..90, whatever the case typed
constexpr int kKeyF1 = 112; // F1..F12 are 112..123
constexpr int kKeyF5 = 116;
constexpr int kKeyF12 = 123;
constexpr int keyDigit(int d) {
    return kKey0 + d;
}
constexpr int keyLetter(char upper) {
    return kKeyA + (upper - 'A');
}
constexpr int keyF(int n) {
    return kKeyF1 + n - 1;
}

// Shift states are bit masks.
constexpr int kShiftMask = 1;
constexpr int kCtrlMask = 2;
constexpr int kAltMask = 4;

// KeyAscii of Ctrl+V.
constexpr int kAsciiPaste = 22;

// The key code of a Qt key, 0 for a key the original toolkit has no code for. Keypad digits
// and operators (with Qt::KeypadModifier) get the numeric-pad codes 96..111; punctuation gets
// the codes of the Japanese 106-key layout the program was written on.
int keyCodeFromQt(int qtKey, Qt::KeyboardModifiers modifiers);
int keyCode(const QKeyEvent& e);
int shiftState(Qt::KeyboardModifiers modifiers);

// The KeyAscii a key press yields, or 0 when it yields no character (Alt combinations,
// cursor and function keys, Delete). Ctrl+letter gives 1..26; a character outside ASCII
// gives its Unicode value, which is always above 127.
int keyAscii(const QKeyEvent& e);

} // namespace forms
