#pragma once
// Raising an event handler: Qt must not see an exception leave an event, so a failing handler
// is reported to the operator in a message box and the event goes on.
#include <exception>
#include <utility>

class QString;

namespace forms::detail {

void reportFailure(const QString& what);
void reportFailure(const std::exception& e);

// The handler is copied first: it may replace itself while it runs.
template <class F, class... A> void fire(const F& handler, A&&... args) {
    if (!handler) return;
    F h = handler;
    try {
        h(std::forward<A>(args)...);
    } catch (const std::exception& e) {
        reportFailure(e);
    } catch (...) {
        reportFailure(std::exception());
    }
}

} // namespace forms::detail
