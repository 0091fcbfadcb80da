#pragma once
// Resource strings in the active language. One translation component in the program (the first whose
// HandleResourceStrings is set when its window is read) serves every resource string: the runtime's
// loader is redirected once, for good, to TranslateResourceString, which loads the text as before and
// replaces it by its translation, found by the text itself among the component's Strings lines.
// LoadResString, LoadStr and FmtLoadStr all go through that loader.

#include "platform/classes/ResourceStrings.h"

#include <string>

namespace translation {

class TtrCustomLang;

// A numbered string keeps at most this many characters, as its load buffer did.
constexpr std::size_t kMaxResourceStringLength = 1023;

// The serving component, or null.
TtrCustomLang* ActiveResourceComponent();
// Makes component the serving one, when there is none yet, and redirects the loader (once).
void ServeResourceStrings(TtrCustomLang& component);
// Called as component goes: without a serving component the loader passes texts through unchanged.
void StopServingResourceStrings(const TtrCustomLang& component);
// Puts the loader found before the redirection back (the library's shut-down).
void RestoreResourceStringLoader();

// The loaded text, or its translation into the serving component's active language when that is not
// the language the texts are keyed by.
std::string TranslateResourceString(const classes::TResStringRec& rec);

}  // namespace translation
