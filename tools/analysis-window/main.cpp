// analysis-window: shows the analysis window on the display as the program shows it, for a project file
// or a new project, without the program's main window.
//
//   analysis-window PROJECT.kvx | --new fan|pump
//
// The libraries start in the program's order, then the estimator and the program's windows; the file is
// read as the Open command reads it (the check pass, then the live pass; the reader's messages go to the
// standard error stream and take their default answer), or a new project of the application is made.
// The options the reader writes go to a registry of the tool's own unless RIVUVE_REGISTRY names one.
// What the window asks of the main window (help, Save, the status bar, the setup window) is written to
// the standard error stream.
//
// Exit status: 0 the window was closed, 1 a bad argument (named), 2 the file refused or of no fan or
// pump, or the windows could not be made, 3 no screen (the display cannot be opened, or is headless).

#include "analysis/Globals.h"
#include "platform/display/Display.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/services/DialogService.h"
#include "tools/common/Estimator.h"
#include "tools/common/ProgramLibraries.h"
#include "tools/common/ProgramWindows.h"
#include "tools/common/ProjectOpening.h"

#include <cstdio>
#include <memory>
#include <string>

namespace {

struct Failure {
    int status;
    std::string message;
};

struct Arguments {
    std::string file;      // UTF-8, as given
    int application = 0;   // --new: 1 fan, 2 pump
};

Arguments ParseArguments(int argc, char** argv)
{
    Arguments arguments;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--new") {
            if (i + 1 >= argc)
                throw Failure{1, "--new needs fan or pump"};
            const std::string application = argv[++i];
            if (application != "fan" && application != "pump")
                throw Failure{1, "--new takes fan or pump, not \"" + application + "\""};
            if (arguments.application || !arguments.file.empty())
                throw Failure{1, "give one project file or one --new, not \"--new " + application + "\" as well"};
            arguments.application = application == "fan" ? 1 : 2;
        } else if (argument.starts_with("-")) {
            throw Failure{1, "unknown argument \"" + argument + "\""};
        } else {
            if (arguments.application || !arguments.file.empty())
                throw Failure{1, "give one project file or one --new, not \"" + argument + "\" as well"};
            arguments.file = argument;
        }
    }
    if (!arguments.application && arguments.file.empty())
        throw Failure{1, "give a project file or --new fan|pump"};
    return arguments;
}

std::unique_ptr<tools::ProgramLibraries> StartLibraries()
{
    try {
        return std::make_unique<tools::ProgramLibraries>(tools::ProgramLibraries::Reach::Windows);
    } catch (const win::EDisplayError& error) {
        throw Failure{3, error.Message()};
    }
}

void Open(tools::ProgramWindows& windows, const std::string& file)
{
    win::ConsoleDialogs console;
    win::ScopedDialogService dialogs(console);
    int reported = 0;
    if (!windows.OpenProject(rtl::AnsiFileName(file), reported))
        throw Failure{2, "the project file \"" + file + "\" was refused"};
    if (analysis::FileAppType != 1 && analysis::FileAppType != 2)
        throw Failure{2, "\"" + file + "\" is a cooling tower project: there is no analysis window for it"};
}

int Run(int argc, char** argv)
{
    const Arguments arguments = ParseArguments(argc, argv);
    const auto libraries = StartLibraries();
    tools::StartEstimator();
    const tools::ToolRegistry registry;
    tools::ProgramWindows windows;
    if (arguments.file.empty())
        windows.NewProject(arguments.application);
    else
        Open(windows, arguments.file);
    // Without a screen nobody could close the window.
    if (!win::display::OnScreen())
        throw Failure{3, "there is no screen to show the analysis window on (DISPLAY unset, or "
                         "RIVUVE_DISPLAY=headless)"};
    windows.Analysis().ShowModal();
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        return Run(argc, argv);
    } catch (const Failure& failure) {
        std::fprintf(stderr, "analysis-window: %s\n", failure.message.c_str());
        return failure.status;
    } catch (const rtl::Exception& error) {
        std::fprintf(stderr, "analysis-window: %s\n", rtl::AnsiToUtf8(error.what()).c_str());
        return 2;
    }
}
