#pragma once
// The language list's lifetime, for the library's start-up and shut-down.

namespace script::detail {

void ReleaseScriptLanguages();

}  // namespace script::detail
