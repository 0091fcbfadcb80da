#pragma once
// The lines of XML that the grammar interpreter writes while it matches, before they become the program
// document. Lines are only ever appended at the end and taken away from the end, so they sit in one
// text; the start tag that wraps an item's output is not inserted in front of its first line but
// attached to it, and the newest attachment stands outermost. Wrapping and taking back therefore cost
// nothing proportional to what was written before.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace script::detail {

class ProgramOutput {
public:
    size_t Count() const { return lineEnds_.size(); }
    std::string_view Line(size_t index) const;
    void Append(std::string_view line);
    // Puts tag before line index (which must exist) and before every tag already put there.
    void InsertStartTag(size_t index, std::string_view tag);
    // Drops every line from index on, with the tags put before them.
    void Truncate(size_t count);
    void Clear() { Truncate(0); }
    // All lines in order, each preceded by its start tags.
    std::string Join() const;

private:
    struct StartTag {
        size_t line;
        size_t end;
    };

    std::string text_;
    std::vector<size_t> lineEnds_;
    std::string tagText_;
    std::vector<StartTag> startTags_;
};

}  // namespace script::detail
