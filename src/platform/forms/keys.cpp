#include "platform/forms/keys.h"
#include <QKeyEvent>

namespace forms {

namespace {

// Virtual-key codes of the punctuation keys on the Japanese 106-key layout; a shifted symbol
// reports the code of the key it is typed on.
int punctuationCode(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Exclam:
        return keyDigit(1);
    case Qt::Key_QuoteDbl:
        return keyDigit(2);
    case Qt::Key_NumberSign:
        return keyDigit(3);
    case Qt::Key_Dollar:
        return keyDigit(4);
    case Qt::Key_Percent:
        return keyDigit(5);
    case Qt::Key_Ampersand:
        return keyDigit(6);
    case Qt::Key_Apostrophe:
        return keyDigit(7);
    case Qt::Key_ParenLeft:
        return keyDigit(8);
    case Qt::Key_ParenRight:
        return keyDigit(9);
    case Qt::Key_Colon:
    case Qt::Key_Asterisk:
        return 186;
    case Qt::Key_Semicolon:
    case Qt::Key_Plus:
        return 187;
    case Qt::Key_Comma:
    case Qt::Key_Less:
        return 188;
    case Qt::Key_Minus:
    case Qt::Key_Equal:
        return 189;
    case Qt::Key_Period:
    case Qt::Key_Greater:
        return 190;
    case Qt::Key_Slash:
    case Qt::Key_Question:
        return 191;
    case Qt::Key_At:
    case Qt::Key_QuoteLeft:
        return 192;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
        return 219;
    case Qt::Key_Backslash:
    case Qt::Key_yen:
    case Qt::Key_Bar:
        return 220;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight:
        return 221;
    case Qt::Key_AsciiCircum:
    case Qt::Key_AsciiTilde:
        return 222;
    case Qt::Key_Underscore:
        return 226;
    default:
        return 0;
    }
}

int keypadCode(int qtKey) {
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return 96 + (qtKey - Qt::Key_0);
    switch (qtKey) {
    case Qt::Key_Asterisk:
        return 106;
    case Qt::Key_Plus:
        return 107;
    case Qt::Key_Comma:
        return 108;
    case Qt::Key_Minus:
        return 109;
    case Qt::Key_Period:
        return 110;
    case Qt::Key_Slash:
        return 111;
    default:
        return 0;
    }
}

} // namespace

int keyCodeFromQt(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::KeypadModifier) {
        if (int code = keypadCode(qtKey)) return code;
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return kKeyA + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return kKey0 + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return kKeyF1 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Backspace:
        return kKeyBackspace;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return kKeyTab;
    case Qt::Key_Clear:
        return 12;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kKeyEnter;
    case Qt::Key_Shift:
        return kKeyShift;
    case Qt::Key_Control:
        return kKeyControl;
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
        return kKeyAlt;
    case Qt::Key_Pause:
        return 19;
    case Qt::Key_CapsLock:
        return 20;
    case Qt::Key_Zenkaku_Hankaku:
        return 25;
    case Qt::Key_Escape:
        return kKeyEscape;
    case Qt::Key_Henkan:
        return 28;
    case Qt::Key_Muhenkan:
        return 29;
    case Qt::Key_Space:
        return kKeySpace;
    case Qt::Key_PageUp:
        return kKeyPageUp;
    case Qt::Key_PageDown:
        return kKeyPageDown;
    case Qt::Key_End:
        return kKeyEnd;
    case Qt::Key_Home:
        return kKeyHome;
    case Qt::Key_Left:
        return kKeyLeft;
    case Qt::Key_Up:
        return kKeyUp;
    case Qt::Key_Right:
        return kKeyRight;
    case Qt::Key_Down:
        return kKeyDown;
    case Qt::Key_Print:
        return 44;
    case Qt::Key_Insert:
        return kKeyInsert;
    case Qt::Key_Delete:
        return kKeyDelete;
    case Qt::Key_Meta:
        return 91;
    case Qt::Key_Menu:
        return 93;
    case Qt::Key_NumLock:
        return 144;
    case Qt::Key_ScrollLock:
        return 145;
    default:
        return punctuationCode(qtKey);
    }
}

int keyCode(const QKeyEvent& e) {
    return keyCodeFromQt(e.key(), e.modifiers());
}

int shiftState(Qt::KeyboardModifiers modifiers) {
    int state = 0;
    if (modifiers & Qt::ShiftModifier) state |= kShiftMask;
    if (modifiers & Qt::ControlModifier) state |= kCtrlMask;
    if (modifiers & Qt::AltModifier) state |= kAltMask;
    return state;
}

int keyAscii(const QKeyEvent& e) {
    const auto mods = e.modifiers();
    const int key = e.key();
    if (mods & (Qt::AltModifier | Qt::MetaModifier)) return 0;
    if (mods & Qt::ControlModifier) {
        if (key >= Qt::Key_A && key <= Qt::Key_Z) return key - Qt::Key_A + 1;
        switch (key) {
        case Qt::Key_BracketLeft:
            return 27;
        case Qt::Key_Backslash:
            return 28;
        case Qt::Key_BracketRight:
            return 29;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 10;
        case Qt::Key_Backspace:
            return 127;
        default:
            return 0;
        }
    }
    switch (key) {
    case Qt::Key_Backspace:
        return kKeyBackspace;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return kKeyTab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kKeyEnter;
    case Qt::Key_Escape:
        return kKeyEscape;
    default:
        break;
    }
    const QString text = e.text();
    if (text.isEmpty()) return 0;
    const char32_t cp = text.toUcs4().value(0);
    if (cp < 0x20 || cp == 0x7f) return 0;
    return int(cp);
}

} // namespace forms
