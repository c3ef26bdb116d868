#pragma once

#include <cerrno>

// Makes a system call again for as long as a signal interrupts it (EINTR), so a caller sees only
// its completion or a real failure. Not for close: Linux releases the descriptor even then.
template <typename Call> auto retryInterrupted(Call call)
{
    decltype(call()) result;
    do {
        result = call();
    } while (result < 0 && errno == EINTR);
    return result;
}
