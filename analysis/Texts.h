#pragma once
// Texts that code shows are looked up by identifier ("IDS_125") in the string table of the window
// that shows them. The windows implement TextSource over their translation tables; a missing
// identifier gives the empty text.

#include <map>
#include <string>
#include <string_view>

namespace analysis {

class TextSource {
public:
    virtual ~TextSource() = default;
    virtual std::string Text(std::string_view id) const = 0;
};

// Texts given as a table.
class FixedTextSource final : public TextSource {
public:
    explicit FixedTextSource(std::map<std::string, std::string, std::less<>> texts) : texts_(std::move(texts)) {}
    std::string Text(std::string_view id) const override
    {
        auto it = texts_.find(id);
        return it == texts_.end() ? std::string() : it->second;
    }

private:
    std::map<std::string, std::string, std::less<>> texts_;
};

}  // namespace analysis
