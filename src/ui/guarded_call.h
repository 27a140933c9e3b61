#pragma once
// The one exception boundary of the program: every place where the system calls into it (the
// window procedures of the toolkit's windows and helper windows, subclass procedures, timers,
// hooks, the dialog-key path, the automation window) runs its work through GuardedCall. No
// exception passes back into the system; whatever escapes, also what is no std::exception,
// is shown in the application's default error box and the program goes on.
#include <exception>
#include <utility>

// Shows the default error box for an exception that reached the boundary (nullptr: one that
// is no std::exception). Never throws.
void ReportUnhandledException(const std::exception* error) noexcept;

// Runs the action; true when it ended normally, false when it threw (and was reported).
template <class Action>
bool GuardedCall(Action&& action) noexcept {
    try {
        std::forward<Action>(action)();
        return true;
    } catch (const std::exception& error) {
        ReportUnhandledException(&error);
    } catch (...) {
        ReportUnhandledException(nullptr);
    }
    return false;
}
