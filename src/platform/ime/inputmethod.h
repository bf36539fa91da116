#pragma once
// The operator's input-method framework, as far as a program may steer it.

namespace ime {

// Asks the input-method framework to switch the input method of the focused input context off
// (direct input); the operator can switch it on again. Returns whether a request went out:
// false when the program does not talk to a framework that a program can switch off. Call it
// once the event loop has passed on the focus change, so the framework has seen it first.
bool switchOff();

} // namespace ime
