#include "runtime/exceptions.h"

EInOutError::EInOutError(std::uint32_t code) : Exception(messageFor(code)), code_(code) {}

std::string EInOutError::messageFor(std::uint32_t code)
{
    switch (code) {
    case io_code::kFileNotFound:
        return "File not found";
    case io_code::kPathNotFound:
        return "Invalid filename";
    case io_code::kTooManyOpenFiles:
        return "Too many open files";
    case io_code::kAccessDenied:
        return "File access denied";
    case io_code::kReadBeyondEnd:
        return "Read beyond end of file";
    case io_code::kDiskFull:
        return "Disk full";
    case io_code::kInvalidNumericInput:
        return "Invalid numeric input";
    default:
        return "I/O error " + std::to_string(code);
    }
}

std::string displayedMessage(const std::exception& error)
{
    const auto* own = dynamic_cast<const Exception*>(&error);
    std::string message = own ? own->message() : error.what();
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        message += '.';
    return message;
}
