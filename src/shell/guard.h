#pragma once
// Runs an event handler so that a failure outside the writes does not end the program: the
// operator sees the database's SQLSTATE and text (or just that the processing failed), the
// pointer is the default again, and the screen stays usable.
#include <exception>
#include <functional>

namespace shell {

void guarded(const std::function<void()>& handler);
// The operator's message for a failed handler; also what the forms layer shows for a failure
// in any other event of the program's windows.
void reportFailure(const std::exception& failure);

} // namespace shell
