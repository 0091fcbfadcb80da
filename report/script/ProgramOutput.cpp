#include "report/script/detail/ProgramOutput.h"

namespace script::detail {

std::string_view ProgramOutput::Line(size_t index) const
{
    const size_t begin = index == 0 ? 0 : lineEnds_[index - 1];
    return std::string_view(text_).substr(begin, lineEnds_[index] - begin);
}

void ProgramOutput::Append(std::string_view line)
{
    text_ += line;
    lineEnds_.push_back(text_.size());
}

void ProgramOutput::InsertStartTag(size_t index, std::string_view tag)
{
    tagText_ += tag;
    startTags_.push_back({index, tagText_.size()});
}

void ProgramOutput::Truncate(size_t count)
{
    if (count >= lineEnds_.size())
        return;
    lineEnds_.resize(count);
    text_.resize(count == 0 ? 0 : lineEnds_.back());
    // Tags put before the dropped lines came from items inside the ones that are dropped, so they were
    // put there after every tag of a line that stays.
    while (!startTags_.empty() && startTags_.back().line >= count)
        startTags_.pop_back();
    tagText_.resize(startTags_.empty() ? 0 : startTags_.back().end);
}

std::string ProgramOutput::Join() const
{
    // The tags of each line, newest first.
    std::vector<size_t> firstTag(lineEnds_.size() + 1, 0);
    for (const StartTag& tag : startTags_)
        ++firstTag[tag.line + 1];
    for (size_t i = 1; i < firstTag.size(); ++i)
        firstTag[i] += firstTag[i - 1];
    std::vector<size_t> order(startTags_.size());
    std::vector<size_t> filled(firstTag.begin(), firstTag.end() - 1);
    for (size_t t = startTags_.size(); t-- > 0;)
        order[filled[startTags_[t].line]++] = t;

    std::string joined;
    joined.reserve(text_.size() + tagText_.size());
    for (size_t line = 0; line < lineEnds_.size(); ++line) {
        for (size_t k = firstTag[line]; k < firstTag[line + 1]; ++k) {
            const size_t t = order[k];
            const size_t begin = t == 0 ? 0 : startTags_[t - 1].end;
            joined.append(tagText_, begin, startTags_[t].end - begin);
        }
        joined += Line(line);
    }
    return joined;
}

}  // namespace script::detail
