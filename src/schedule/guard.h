#pragma once
// Runs an event handler so that a database failure outside the writes does not end the
// program: the operator sees the driver's text and the screen stays usable.
#include <functional>

namespace common {

void guarded(const std::function<void()>& handler);

} // namespace common
