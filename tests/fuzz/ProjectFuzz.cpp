// Feeds arbitrary bytes to the project file's reader as the Open command and a recent file read it: the
// reader must answer, with whatever messages (each taking its default answer), and never fail otherwise.
#include "analysis/Analysis.h"
#include "analysis/ParamTable.h"
#include "platform/registry/RegistryStore.h"
#include "platform/rtl/Rtl.h"
#include "platform/rtl/TempFiles.h"
#include "platform/services/Sound.h"
#include "shell/ProjectFile.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/UnattendedReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

namespace {

// The file the bytes are written to, and a registry of the target's own beside it.
const std::string& ProjectFileName()
{
    static const std::string name = [] {
        rtl::initialize();
        analysis::initialize();
        analysis::DefineAllParams();
        static testsupport::DefaultAnswers answers;
        win::SetDialogService(&answers);
        // Every accepted file writes the options to the registry, flushed to disk: in memory where the
        // machine offers it, so that the reader rather than the disk sets the pace.
        if (std::filesystem::is_directory("/dev/shm"))
            ::setenv("RIVUVE_TMPDIR", "/dev/shm", 0);
        const std::string folder = rtl::PrivateTempFolder();
        win::UseRegistryFile(folder + "project-fuzz-registry");
        return rtl::CreateTempFileName("project-fuzz-", folder);
    }();
    return name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string& fileName = ProjectFileName();
    testsupport::WriteBytes(fileName, std::string_view(reinterpret_cast<const char*>(data), size));
    testsupport::CustomerTextWindows windows;
    const testsupport::IdTexts texts;
    shell::OpenProjectFile(fileName, windows, texts);
    shell::LoadProjectFile(fileName, analysis::ParamTable, shell::LoadMode::Live, windows, texts);
    win::ClearSoundLog();
    return 0;
}
