#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

// The error classes the whole tool raises. Every error carries the message the operator sees;
// the application's error display shows it (and drops EAbort silently).

class Exception : public std::exception
{
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const std::string& message() const noexcept { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// A failed record-file operation. The message follows from the code alone.
class EInOutError : public Exception
{
public:
    explicit EInOutError(std::uint32_t code);
    std::uint32_t code() const noexcept { return code_; }

    // "File not found" for 2, ..., "I/O error 32" for a code without a message of its own.
    static std::string messageFor(std::uint32_t code);

private:
    std::uint32_t code_;
};

// A text that does not convert to a number.
class EConvertError : public Exception
{
public:
    using Exception::Exception;
};

// A number outside the range a value may take.
class ERangeError : public Exception
{
public:
    using Exception::Exception;
};

// An invalid file name given to the file-name field.
class EButtonEditError : public Exception
{
public:
    using Exception::Exception;
};

// The silent error: it ends a handler, and the error display shows nothing for it.
class EAbort : public Exception
{
public:
    EAbort() : Exception("Operation aborted") {}
    using Exception::Exception;
};

// What the error display shows for an error: its message, with a "." appended when the last
// character compares greater than "." (so "File not found" gets one and "abc." or "x)" do not).
// The window and the companion show every error through this.
std::string displayedMessage(const std::exception& error);

// The record access's own codes, beside the system's.
namespace io_code
{
inline constexpr std::uint32_t kCloseRefused = 1;
inline constexpr std::uint32_t kFileNotFound = 2;
inline constexpr std::uint32_t kPathNotFound = 3;
inline constexpr std::uint32_t kTooManyOpenFiles = 4;
inline constexpr std::uint32_t kAccessDenied = 5;
inline constexpr std::uint32_t kInvalidHandle = 6;
inline constexpr std::uint32_t kReadBeyondEnd = 100;
inline constexpr std::uint32_t kDiskFull = 101;
inline constexpr std::uint32_t kInvalidNumericInput = 106;
} // namespace io_code
