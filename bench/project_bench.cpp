// The project file's reader over the hostile project files of tests/support/HostileProjects.h: the
// Open command's check pass, which reads and judges every line, in megabytes per second, beside a plain
// pass over the same bytes (the file read and its line-end bytes counted) in the same run, and the ratio
// of their times. A reader that is linear in the file's size keeps the ratio alike for every file.

#include "analysis/Analysis.h"
#include "analysis/ParamTable.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Rtl.h"
#include "platform/rtl/TempFiles.h"
#include "shell/ProjectFile.h"
#include "tests/support/HostileProjects.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/UnattendedReader.h"

#include "Timing.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

// The file read whole and its CR and LF bytes counted.
void PlainPass(const std::string& path)
{
    std::string content;
    const int fd = rtl::OpenForReading(rtl::OsFileName(path));
    rtl::ReadToEnd(fd, content, shell::MaxProjectFileSize);
    ::close(fd);
    bench::Keep(double(std::count_if(content.begin(), content.end(), [](char c) { return c == '\r' || c == '\n'; })));
}

}  // namespace

int main()
{
    rtl::initialize();
    analysis::initialize();
    analysis::DefineAllParams();
    testsupport::DefaultAnswers answers;
    win::SetDialogService(&answers);
    const testsupport::IdTexts texts;
    testsupport::CustomerTextWindows windows;
    const std::string path = rtl::CreateTempFileName("project-bench-", rtl::PrivateTempFolder());

    const std::string project = testsupport::ReadBytes(std::string(RIVUVE_FIXTURES) + "/projects/motor-200.kvx");
    std::printf("%-28s %9s %12s %12s %8s\n", "file", "bytes", "reader MB/s", "plain MB/s", "ratio");
    for (const testsupport::HostileProject& file :
         testsupport::HostileProjects(project, size_t(shell::MaxProjectFileSize))) {
        testsupport::WriteBytes(path, file.bytes);
        const bench::Comparison figures = bench::Compare(
            [&] {
                bench::Keep(shell::LoadProjectFile(path, analysis::ShadowParamTable, shell::LoadMode::Check, windows,
                                                   texts));
            },
            [&] { PlainPass(path); });
        const double megabytes = double(file.bytes.size()) / 1e6;
        std::printf("%-28s %9zu %12.1f %12.1f %8.2f\n", file.name.c_str(), file.bytes.size(),
                    megabytes / figures.seconds, megabytes / figures.reference, figures.ratio);
    }
    ::unlink(rtl::OsFileName(path).c_str());
    analysis::finalize();
    return 0;
}
