#include "platform/printing/detail/PrintErrors.h"

#include "platform/printing/PrinterDC.h"

#include <cerrno>
#include <cstring>

namespace win {

namespace {

std::string& ErrorText()
{
    thread_local std::string text;
    return text;
}

}  // namespace

void detail::NoteFailure(DWORD code, const std::string& text)
{
    ErrorText() = text;
    SetLastError(code);
}

void detail::NoteFailure(const EPrintError& error)
{
    NoteFailure(error.Code(), error.what());
}

EPrintError detail::FileError(const std::string& what, int error)
{
    const DWORD code = error == ENOENT || error == ENOTDIR ? ERROR_PATH_NOT_FOUND
                       : error == ENOSPC || error == EDQUOT || error == EFBIG ? ERROR_DISK_FULL
                                                           : ERROR_ACCESS_DENIED;
    return EPrintError(what + ": " + std::strerror(error), code);
}

const std::string& PrintErrorText()
{
    return ErrorText();
}

}  // namespace win
