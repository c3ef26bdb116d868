#include "tests/support/qt/error_capture.h"

#include "controls/common/error_sink.h"

ErrorCapture::ErrorCapture()
{
    setErrorSink([this](const std::exception& e) { messages.push_back(e.what()); });
}

ErrorCapture::~ErrorCapture()
{
    setErrorSink(nullptr);
}
