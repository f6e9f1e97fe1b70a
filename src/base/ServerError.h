// The one error type of the server environment: a code and a message a person can act on.
#pragma once

#include <stdexcept>
#include <string>

namespace kw {

class ServerError : public std::runtime_error {
public:
    /// Error codes follow the component-object convention of negative 32-bit results.
    enum Code : int {
        Fail = static_cast<int>(0x80004005),
        InvalidArgument = static_cast<int>(0x80070057),
        NullPointer = static_cast<int>(0x80004003),
        NotFound = static_cast<int>(0x80070002),
        AccessDenied = static_cast<int>(0x80070005),
        SharingViolation = static_cast<int>(0x80070020),
        WriteFault = static_cast<int>(0x8007001D),
        DatabaseError = static_cast<int>(0x80040E14),
        DatabaseBusy = static_cast<int>(0x80040E31),
    };

    ServerError(int code, std::string message) : std::runtime_error(std::move(message)), m_code(code) {}
    int code() const { return m_code; }

private:
    int m_code;
};

} // namespace kw
