#pragma once
// Resource strings: texts of the program and its libraries that every load passes through one
// replaceable loader, so the translation library can hand out translated texts instead.
//
// A named string is declared in code with its text (`inline constexpr TResStringRec SName{"SName",
// "text"}`); a numbered one is a string resource (RT_STRING, see Resources.h) loaded by its number.

#include "platform/rtl/Format.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace classes {

struct TResStringRec {
    // A named string's name and text; both empty for a numbered string.
    std::string_view name;
    std::string_view text;
    // A numbered string's resource number.
    int id = 0;
};

constexpr TResStringRec NumberedResString(int id)
{
    return TResStringRec{{}, {}, id};
}

using TResStringLoader = std::string (*)(const TResStringRec& rec);

// A named string's own text; a numbered string's stored text, empty when there is none.
std::string DefaultLoadResString(const TResStringRec& rec);

// Installs the loader every load goes through and returns the one it replaces; null restores the
// default.
TResStringLoader SetResStringLoader(TResStringLoader loader);

std::string LoadResString(const TResStringRec& rec);
std::string LoadStr(int id);
// The numbered string used as a format (rtl::Format).
std::string FmtLoadStr(int id, std::initializer_list<rtl::FormatArg> args);

}  // namespace classes
