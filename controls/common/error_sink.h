#pragma once

#include <exception>
#include <functional>

// Where a control sends an error raised inside its own event handling, which must never reach
// Qt unseen. The application installs its error display here; until then errors go to stderr.
using ErrorSink = std::function<void(const std::exception&)>;

void setErrorSink(ErrorSink sink);
void reportError(const std::exception& error);

// Runs one piece of event handling (a handler of the window, a control's reaction to an event):
// an error it raises ends that work and goes to the error display, and the caller goes on as if
// it had returned. True when it ran through.
template <typename F> bool runGuarded(F&& work)
{
    try {
        work();
        return true;
    } catch (const std::exception& e) {
        reportError(e);
    }
    return false;
}

// Runs cosmetic work (placing or colouring a label, freeing an auxiliary object): a failure in
// it is swallowed, so it never takes the control down with it.
template <typename F> void runCosmetic(F&& work) noexcept
{
    try {
        work();
    } catch (...) {
    }
}
