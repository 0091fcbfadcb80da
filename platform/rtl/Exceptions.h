#pragma once
// The runtime's exception classes. Every error the libraries raise is an rtl::Exception (or derived)
// carrying an ANSI message, so one handler can show any of them.

#include <stdexcept>
#include <string>

namespace rtl {

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const std::string& Message() const noexcept { return message_; }
    void SetMessage(std::string message) { message_ = std::move(message); }
    const char* what() const noexcept override { return message_.c_str(); }
    // The class name as the library reports it ("EConvertError").
    virtual const char* ClassName() const noexcept { return "Exception"; }

private:
    std::string message_;
};

#define RTL_EXCEPTION_CLASS(Name, Base)                                        \
    class Name : public Base {                                                 \
    public:                                                                    \
        using Base::Base;                                                      \
        const char* ClassName() const noexcept override { return #Name; }      \
    };

RTL_EXCEPTION_CLASS(EConvertError, Exception)
RTL_EXCEPTION_CLASS(EListError, Exception)
RTL_EXCEPTION_CLASS(EStringListError, EListError)
RTL_EXCEPTION_CLASS(EStreamError, Exception)
RTL_EXCEPTION_CLASS(EReadError, EStreamError)
RTL_EXCEPTION_CLASS(EWriteError, EStreamError)
RTL_EXCEPTION_CLASS(EFCreateError, EStreamError)
RTL_EXCEPTION_CLASS(EFOpenError, EStreamError)
RTL_EXCEPTION_CLASS(EInvalidOperation, Exception)
RTL_EXCEPTION_CLASS(EOutOfResources, Exception)
RTL_EXCEPTION_CLASS(EInvalidArgument, Exception)
RTL_EXCEPTION_CLASS(EThread, Exception)
RTL_EXCEPTION_CLASS(EEncodingError, Exception)

// The silent exception: handlers unwind on it without showing anything.
RTL_EXCEPTION_CLASS(EAbort, Exception)
// A call of an operation that a class leaves to its descendants: "Abstract Error".
RTL_EXCEPTION_CLASS(EAbstractError, Exception)

#undef RTL_EXCEPTION_CLASS

// An operating-system failure, with the system's text for the error code.
class EOSError : public Exception {
public:
    EOSError(std::string message, int errorCode) : Exception(std::move(message)), errorCode_(errorCode) {}
    int ErrorCode() const noexcept { return errorCode_; }
    const char* ClassName() const noexcept override { return "EOSError"; }

private:
    int errorCode_;
};

// The system's message text for an errno value.
std::string SysErrorMessage(int errorCode);

// The error of a name that is neither a regular file nor a folder (a FIFO, a device, a socket), which a
// reader would wait on forever or read without end. It lies beyond the system's own codes; SysErrorMessage
// knows its text.
constexpr int ErrorNotRegularFile = 0x10000;

// Raises EOSError for errorCode: "System Error.  Code: %d.\r\n%s" as the library words it.
[[noreturn]] void RaiseLastOSError(int errorCode);

// Raises the silent EAbort.
[[noreturn]] void Abort();

}  // namespace rtl
