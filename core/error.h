#pragma once

// Errors that travel up to the application's top level, where their message is shown.

#include <stdexcept>
#include <string>

namespace core {

class Error : public std::runtime_error {
public:
    explicit Error(std::u16string message);
    const std::u16string& Message() const { return message_; }

private:
    std::u16string message_;
};

// An input/output error with the platform's error code, as raised by ForceDirectories.
class InOutError : public Error {
public:
    InOutError(std::u16string message, int code) : Error(std::move(message)), code_(code) {}
    int Code() const { return code_; }

private:
    int code_;
};

} // namespace core
