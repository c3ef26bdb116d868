#pragma once

#include <string>
#include <vector>

// For its lifetime, errors that controls send to the error display are collected here instead
// of going to stderr, so a test can check which message the operator would see.
struct ErrorCapture {
    ErrorCapture();
    ~ErrorCapture();
    ErrorCapture(const ErrorCapture&) = delete;
    ErrorCapture& operator=(const ErrorCapture&) = delete;

    std::vector<std::string> messages;
};
