#pragma once

#include <exception>
#include <functional>

// Where a control sends an error raised inside its own event handling, which must never reach
// Qt unseen. The application installs its error display here; until then errors go to stderr.
using ErrorSink = std::function<void(const std::exception&)>;

void setErrorSink(ErrorSink sink);
void reportError(const std::exception& error);

// Runs work and reports what it throws; true when it ran through.
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
