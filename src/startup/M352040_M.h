#pragma once
// Start-up and exit of the program.
#include <QString>

class F_M352040;

namespace M352040_M {

// Prepares everything and shows the main screen; false when a start-up step failed (its
// message was shown and the program ended).
bool Main(const QString& commandLine);
// Settings, profile, connection, appearance, in that order; false after a failure.
bool Init_System();
void Get_Operator(const QString& commandLine);
// The exit question; true keeps the window open. Yes closes the connection and ends the program.
bool Chk_Exit();

// The main screen created by Main (nullptr before). resetMain() destroys it and closes the
// connection: main() after the event loop, and tests before they call Main again.
F_M352040* mainScreen();
void resetMain();

} // namespace M352040_M
