#pragma once
// Runs an event handler so that a failure outside the writes does not end the program: the
// operator sees the database's SQLSTATE and text (or just that the processing failed), the
// pointer is the default again, and the screen stays usable.
#include <functional>

namespace common {

void guarded(const std::function<void()>& handler);

} // namespace common
