// screenshot: shows a stored window or a scene (Scenes.h, AnalysisScenes.h), plays a script on it and
// writes each visible top-level window, and the screen they make together, as PNG files.
//
//   screenshot (--form NAME|FILE.form | --scene NAME) [--out DIR] [--display headless|sdl]
//              [--script FILE] [--settle MS]
//
// Exit status: 0 written, 1 a bad argument or script line (named), 2 no window, 3 no display.

#include "AnalysisScenes.h"
#include "Scenes.h"
#include "Script.h"

#include "platform/classes/ComponentReader.h"
#include "platform/classes/Errors.h"
#include "platform/classes/Resources.h"
#include "platform/classes/TextForm.h"
#include "platform/display/Display.h"
#include "platform/display/detail/SdlDisplay.h"
#include "platform/gdi/detail/Surface.h"
#include "platform/gui/core/Form.h"
#include "platform/imaging/Image.h"
#include "platform/imaging/PngCodec.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Streams.h"
#include "platform/win/ScreenImage.h"
#include "platform/win/Window.h"
#include "platform/win/WindowClass.h"
#include "platform/win/WindowPos.h"
#include "platform/win/testing/TestDriver.h"
#include "tools/common/ProgramLibraries.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Failure {
    int status;
    std::string message;
};

struct Options {
    std::string form;
    std::string scene;
    std::string out = ".";
    std::string display;
    std::string script;
    int settle = 200;
};

Options ParseArguments(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                throw Failure{1, name + " needs a value"};
            }
            return argv[++i];
        };
        if (name == "--form") {
            options.form = value();
        } else if (name == "--scene") {
            options.scene = value();
        } else if (name == "--out") {
            options.out = value();
        } else if (name == "--display") {
            options.display = value();
            if (options.display != "headless" && options.display != "sdl") {
                throw Failure{1, "--display must be headless or sdl, not \"" + options.display + "\""};
            }
        } else if (name == "--script") {
            options.script = value();
        } else if (name == "--settle") {
            const std::string ms = value();
            char* end = nullptr;
            const long parsed = std::strtol(ms.c_str(), &end, 10);
            if (ms.empty() || *end != '\0' || parsed < 0 || parsed > 60000) {
                throw Failure{1, "--settle needs milliseconds (0 to 60000), not \"" + ms + "\""};
            }
            options.settle = static_cast<int>(parsed);
        } else {
            throw Failure{1, "unknown argument \"" + name + "\""};
        }
    }
    if (options.form.empty() == options.scene.empty()) {
        throw Failure{1, "give either --form or --scene"};
    }
    return options;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw Failure{1, "cannot read \"" + path + "\""};
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The output folder, made when missing; refused when it cannot be written.
void PrepareFolder(const std::string& folder)
{
    std::error_code error;
    fs::create_directories(folder, error);
    if (!fs::is_directory(folder) || ::access(folder.c_str(), W_OK) != 0) {
        throw Failure{1, "cannot write to the folder \"" + folder + "\""};
    }
}

// The libraries in the program's order; a display that cannot be opened ends the tool with 3.
std::unique_ptr<tools::ProgramLibraries> StartLibraries()
{
    try {
        return std::make_unique<tools::ProgramLibraries>(tools::ProgramLibraries::Reach::Windows);
    } catch (const win::EDisplayError& error) {
        throw Failure{3, error.Message()};
    }
}

// A stored window read from a .form file or from the program's resources, shown.
std::unique_ptr<classes::TComponent> LoadForm(const std::string& form)
{
    std::string text;
    if (form.ends_with(".form")) {
        text = ReadFile(form);
    } else if (auto stored = classes::FindResource(classes::TResId(form), classes::TResId(classes::RT_RCDATA))) {
        text = std::string(*stored);
    } else {
        throw Failure{2, "no stored window \"" + form + "\""};
    }
    const std::string bytes = text.starts_with("RVF0") ? text : classes::ObjectTextToBinary(text);
    rtl::TMemoryStream in;
    in.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    in.SetPosition(0);
    std::unique_ptr<classes::TComponent> root;
    try {
        root.reset(classes::TReader(in).ReadRootComponent(nullptr));
    } catch (const classes::EClassNotFound& error) {
        throw Failure{2, form + ": the window's class is not registered (" + error.Message() + ")"};
    }
    auto* window = dynamic_cast<gui::TCustomForm*>(root.get());
    if (!window) {
        throw Failure{2, form + ": not a window"};
    }
    window->Show();
    return root;
}

void Play(win::TestDriver& driver, win::HWND main, const std::vector<screenshot::Action>& actions)
{
    using screenshot::Action;
    for (const Action& action : actions) {
        switch (action.kind) {
        case Action::Click: driver.Click(main, win::TestDriver::Button::Left, action.x, action.y); break;
        case Action::RightClick: driver.Click(main, win::TestDriver::Button::Right, action.x, action.y); break;
        case Action::Key: driver.PressKey(action.vk); break;
        case Action::Type: driver.TypeText(rtl::Utf8ToAnsi(action.text)); break;
        case Action::Wait: driver.AdvanceBy(action.milliseconds); break;
        }
        driver.Pump();
    }
}

// Waits for the windows to settle: on the virtual clock headless, in real time on a screen, where the
// display is also given the time to present what was drawn.
void Settle(win::TestDriver& driver, int milliseconds)
{
    driver.Pump();
    driver.AdvanceBy(static_cast<std::uint64_t>(milliseconds));
    if (win::display::OnScreen()) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        while (std::chrono::steady_clock::now() < end) {
            driver.Pump();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    driver.Pump();
}

std::string PngOf(const win::detail::Surface& surface)
{
    win::Image image(surface.Width(), surface.Height());
    for (int y = 0; y < surface.Height(); ++y) {
        for (int x = 0; x < surface.Width(); ++x) {
            image.SetPixel(x, y, 0xFF000000u | (surface.Pixel(x, y) & 0xFFFFFF));
        }
    }
    return win::WritePng(image);
}

void Write(const std::string& folder, const std::string& name, const std::string& bytes)
{
    std::ofstream out(fs::path(folder) / name, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        throw Failure{1, "cannot write \"" + (fs::path(folder) / name).string() + "\""};
    }
}

// Each visible top-level window from the top down as NN-CLASS.png, and screen.png over all of them.
int WritePictures(const std::string& folder)
{
    std::vector<win::HWND> shown;
    for (win::HWND hwnd = win::GetWindow(win::GetDesktopWindow(), win::GW_CHILD); hwnd;
         hwnd = win::GetWindow(hwnd, win::GW_HWNDNEXT)) {
        win::RECT rect;
        if (win::IsWindowVisible(hwnd) && win::GetWindowRect(hwnd, &rect) && rect.right > rect.left &&
            rect.bottom > rect.top) {
            shown.push_back(hwnd);
        }
    }
    if (shown.empty()) {
        throw Failure{2, "no window is shown"};
    }
    std::vector<std::pair<std::string, std::string>> files;
    win::RECT all{0, 0, 0, 0};
    int number = 1;
    for (win::HWND hwnd : shown) {
        win::RECT rect;
        win::GetWindowRect(hwnd, &rect);
        win::UnionRect(&all, &all, &rect);
        win::detail::Surface surface(rect.right - rect.left, rect.bottom - rect.top);
        win::detail::CopyWindowPixels(hwnd, win::RECT{0, 0, surface.Width(), surface.Height()}, surface.Bits(),
                                      surface.Stride());
        char prefix[16];
        std::snprintf(prefix, sizeof prefix, "%02d-", number++);
        files.emplace_back(prefix + win::GetClassName(hwnd) + ".png", PngOf(surface));
    }
    win::detail::Surface screen(std::max<int>(1, all.right - all.left), std::max<int>(1, all.bottom - all.top));
    win::ComposeScreen(all, screen);
    files.emplace_back("screen.png", PngOf(screen));
    for (const auto& [name, bytes] : files) {
        Write(folder, name, bytes);
    }
    return 0;
}

int Run(int argc, char** argv)
{
    const Options options = ParseArguments(argc, argv);
    std::vector<screenshot::Action> actions;
    if (!options.script.empty()) {
        try {
            actions = screenshot::ParseScript(ReadFile(options.script));
        } catch (const std::invalid_argument& error) {
            throw Failure{1, options.script + ": " + error.what()};
        }
    }
    PrepareFolder(options.out);
    if (!options.display.empty()) {
        ::setenv("RIVUVE_DISPLAY", options.display.c_str(), 1);
    }
    const auto libraries = StartLibraries();
    rtl::VirtualClock clock;
    rtl::ScopedClock installed(clock);
    win::TestDriver driver(clock);
    std::unique_ptr<classes::TComponent> form;
    std::unique_ptr<screenshot::AnalysisScene> analysisScene;
    win::HWND main = nullptr;
    if (!options.scene.empty()) {
        analysisScene = screenshot::MakeAnalysisScene(options.scene);
        main = analysisScene ? analysisScene->Main() : screenshot::MakeScene(options.scene);
        if (!main) {
            throw Failure{1, "unknown scene \"" + options.scene +
                                 "\" (frames, layered, regions, analysis-0 .. analysis-4, overview)"};
        }
    } else {
        form = LoadForm(options.form);
        main = static_cast<gui::TCustomForm*>(form.get())->Handle();
    }
    Settle(driver, options.settle);
    Play(driver, main, actions);
    Settle(driver, options.settle);
    const int status = WritePictures(options.out);
    form.reset();
    analysisScene.reset();
    return status;
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        return Run(argc, argv);
    } catch (const Failure& failure) {
        std::fprintf(stderr, "screenshot: %s\n", failure.message.c_str());
        return failure.status;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "screenshot: %s\n", error.what());
        return 2;
    }
}
