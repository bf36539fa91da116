#pragma once
// Process-wide services of the forms layer: message boxes, the mouse pointer, ending the
// program, the screen size and the font substitutions. Message boxes and the end of the
// program go through replaceable functions so that tests can script them.
#include <QString>
#include <exception>
#include <functional>

namespace forms {

// Message box with the original style numbers: buttons 0 OK, 1 OK/Cancel, 3 Yes/No/Cancel,
// 4 Yes/No; + 16 critical, 32 question, 48 exclamation, 64 information; + 256 second button
// default. Returns 1 OK, 2 Cancel, 6 Yes, 7 No. An empty title uses the application's title.
int MsgBox(const QString& prompt, int style = 0, const QString& title = QString());
using MsgBoxHandler = std::function<int(const QString& prompt, int style, const QString& title)>;
// Replaces the message box (tests); an empty handler restores the real one.
void setMsgBoxHandler(MsgBoxHandler handler);

// Ends the process at once with the status: no unload handler runs. The caller must return
// right after the call (a replaced handler in tests returns).
void End(int status = 0);
using EndHandler = std::function<void(int status)>;
void setEndHandler(EndHandler handler);

// What the operator is told when an event handler fails: Qt must not see the exception, and the
// program says it in its own words. An empty handler restores the layer's own message box.
using FailureHandler = std::function<void(const std::exception& failure)>;
void setFailureHandler(FailureHandler handler);

// Screen.MousePointer: 0 default, 1 arrow, 11 hourglass. A setting, not a stack.
void setMousePointer(int pointer);
int mousePointer();

// Size of the primary screen in twips (15 twips per device-independent pixel).
int screenWidthTwips();
int screenHeightTwips();

// Maps the Windows Gothic faces to the IPA fonts; call once after the QApplication exists.
void installFontSubstitutions();

constexpr int kTwipsPerPixel = 15;
inline int twipsToPixels(int twips) {
    return twips / kTwipsPerPixel;
}
inline int pixelsToTwips(int px) {
    return px * kTwipsPerPixel;
}

} // namespace forms
