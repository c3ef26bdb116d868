#include "controls/common/error_sink.h"

#include <cstdio>
#include <utility>

namespace
{
ErrorSink& sink()
{
    static ErrorSink s;
    return s;
}
} // namespace

void setErrorSink(ErrorSink s)
{
    sink() = std::move(s);
}

void reportError(const std::exception& error)
{
    if (sink())
        sink()(error);
    else
        std::fprintf(stderr, "%s\n", error.what());
}
