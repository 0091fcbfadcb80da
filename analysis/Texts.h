#pragma once
// Texts that code shows are looked up by identifier ("IDS_125") in the string table of the window
// that shows them. The windows implement TextSource over their translation tables; a missing
// identifier gives the empty text.

#include <string>
#include <string_view>

namespace analysis {

class TextSource {
public:
    virtual ~TextSource() = default;
    virtual std::string Text(std::string_view id) const = 0;
};

// The texts of a window's translation component (the translation library's TtrCustomLang), looked up
// with its LookupStringOrDefault.
template <class Lingua>
class LinguaTexts final : public TextSource {
public:
    explicit LinguaTexts(const Lingua& lingua) : lingua_(lingua) {}
    std::string Text(std::string_view id) const override { return lingua_.LookupStringOrDefault(id); }

private:
    const Lingua& lingua_;
};

}  // namespace analysis
