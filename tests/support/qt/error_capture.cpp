#include "error_capture.h"

#include "error_sink.h"

ErrorCapture::ErrorCapture()
{
    setErrorSink([this](const std::exception& e) { messages.push_back(e.what()); });
}

ErrorCapture::~ErrorCapture()
{
    setErrorSink(nullptr);
}
