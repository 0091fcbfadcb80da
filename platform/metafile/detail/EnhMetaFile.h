#pragma once
// What the metafile units share: file names of the wide calls and handles over finished bytes.

#include "platform/metafile/EnhMetaFile.h"

#include <string>
#include <string_view>

namespace win::detail {

// For the wide calls: the ANSI form of a file name, which the file calls take. False, with
// ERROR_INVALID_NAME, when the code page cannot hold the name: a stand-in character would name
// another file.
bool AnsiFileNameOfWide(const char16_t* fileName, std::string& ansi);

// For the recorder: a handle over finished bytes, written atomically to fileName when it is not empty;
// null (ERROR_ACCESS_DENIED) when the file cannot be written.
HENHMETAFILE AddEnhMetaFile(std::string bytes, std::string_view fileName);

}  // namespace win::detail
