// Feeds arbitrary bytes to the project file's reader as the Open command and a recent file read it: the
// reader must answer, with whatever messages (each taking its default answer), and never fail otherwise.
#include "analysis/Analysis.h"
#include "analysis/ParamTable.h"
#include "analysis/Texts.h"
#include "platform/registry/RegistryStore.h"
#include "platform/rtl/Rtl.h"
#include "platform/rtl/TempFiles.h"
#include "platform/services/DialogService.h"
#include "platform/services/Sound.h"
#include "shell/ProjectFile.h"
#include "tests/support/ScratchFolder.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

namespace {

// Message boxes take their default answer without a word.
class DefaultAnswers final : public win::DialogService {
public:
    int MessageBox(const std::string&, const std::string&, unsigned type) override
    {
        return win::DefaultMessageBoxAnswer(type);
    }
};

class IdTexts final : public analysis::TextSource {
public:
    std::string Text(std::string_view id) const override { return std::string(id); }
};

class FieldWindows final : public shell::ProjectWindows {
public:
    std::string CustomerText(shell::CustomerEdit edit) const override { return customer_[size_t(edit) - 1]; }
    void SetCustomerText(shell::CustomerEdit edit, const std::string& text) override { customer_[size_t(edit) - 1] = text; }
    std::string CustomTitleText(int) const override { return {}; }
    void CheckCurrencyButton(shell::CurrencyButton) override {}
    void SetCustomCurrencyText(const std::string&) override {}
    void CheckPowerButton(shell::PowerButton) override {}

private:
    std::array<std::string, shell::CustomerEditCount> customer_;
};

// The file the bytes are written to, and a registry of the target's own beside it.
const std::string& ProjectFileName()
{
    static const std::string name = [] {
        rtl::initialize();
        analysis::initialize();
        analysis::DefineAllParams();
        static DefaultAnswers answers;
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
    FieldWindows windows;
    const IdTexts texts;
    shell::OpenProjectFile(fileName, windows, texts);
    shell::LoadProjectFile(fileName, analysis::ParamTable, shell::LoadMode::Live, windows, texts);
    win::ClearSoundLog();
    return 0;
}
