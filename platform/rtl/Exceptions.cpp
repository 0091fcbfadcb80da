#include "platform/rtl/Exceptions.h"

#include <cstring>

namespace rtl {

std::string SysErrorMessage(int errorCode)
{
    if (errorCode == ErrorNotRegularFile)
        return "Not a regular file (a pipe, a device or a socket)";
    char buffer[256];
    // GNU strerror_r returns the text, which may or may not live in buffer.
    const char* text = strerror_r(errorCode, buffer, sizeof buffer);
    return text ? std::string(text) : std::string();
}

void RaiseLastOSError(int errorCode)
{
    throw EOSError("System Error.  Code: " + std::to_string(errorCode) + ".\r\n" + SysErrorMessage(errorCode),
                   errorCode);
}

void Abort()
{
    throw EAbort("Operation aborted");
}

}  // namespace rtl
