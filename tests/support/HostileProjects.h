#pragma once
// Project files made to hurt the reader, built from a well-formed project file: line ends of every kind
// and runs of CRs up to the reader's size limit, and files cut short. The reader's tests check what each
// of them gives; the benchmark times the reader over the same bytes.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

struct HostileProject {
    std::string name;
    std::string bytes;
};

// The project's lines, each without its CR LF.
inline std::vector<std::string_view> ProjectLines(std::string_view project)
{
    std::vector<std::string_view> lines;
    for (size_t start = 0; start < project.size();) {
        const size_t end = std::min(project.find("\r\n", start), project.size());
        lines.push_back(project.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// The project's lines ended in turn by CR LF, LF, CR CR LF and a lone CR. A lone CR before an empty line
// would join that line's line end, so an empty line follows LF instead.
inline std::string MixedLineEnds(std::string_view project)
{
    const std::vector<std::string_view> lines = ProjectLines(project);
    const char* const ends[] = {"\r\n", "\n", "\r\r\n", "\r"};
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        const bool beforeEmpty = i + 1 < lines.size() && lines[i + 1].empty();
        const char* end = ends[i % 4];
        text.append(lines[i]).append(std::string_view(end) == "\r" && beforeEmpty ? "\n" : end);
    }
    return text;
}

// The project up to the start of its first line that begins with head, and count characters of that line.
inline std::string CutAt(const std::string& project, std::string_view head, size_t count = 0)
{
    return project.substr(0, project.find("\r\n" + std::string(head)) + 2 + count);
}

// Each file fits the reader's size limit (sizeLimit bytes) exactly where it is padded to it.
inline std::vector<HostileProject> HostileProjects(const std::string& project, size_t sizeLimit)
{
    std::string mixed = MixedLineEnds(project);
    const std::string_view mixedTail = "\r\n\n\r\r\n\r";
    while (mixed.size() + mixedTail.size() <= sizeLimit)
        mixed += mixedTail;
    return {
        {"1 MiB of CRs", std::string(sizeLimit, '\r')},
        {"mixed line ends", mixed},
        {"a valid file and a CR tail", project + std::string(sizeLimit - project.size(), '\r')},
        {"cut after P004", CutAt(project, "P005=")},
        {"cut in the head of P040", CutAt(project, "P040=", 9)},
        {"cut in the value of P040", CutAt(project, "P040=", 14)},
        {"no parameter line", CutAt(project, "P001=")},
    };
}

}  // namespace testsupport
