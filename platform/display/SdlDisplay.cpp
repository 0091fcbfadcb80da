// The display thread: the one thread that talks to SDL. The window system's notifications (made with
// its lock held, from any thread) only note what changed and wake the thread; the thread reads the
// windows back through the window system, shows them, copies their damaged pixels to the screen and
// turns the screen's input into window-system input.

#include "platform/display/detail/SdlDisplay.h"

#include "platform/display/Display.h"
#include "platform/display/detail/KeyTranslator.h"
#include "platform/display/detail/ScreenLayout.h"
#include "platform/display/detail/ScreenText.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/rtl/Clock.h"
#include "platform/win/Clipboard.h"
#include "platform/win/GlobalMemory.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/ScreenImage.h"
#include "platform/win/Window.h"
#include "platform/win/detail/ScreenEvents.h"
#include "platform/wintypes/GdiTypes.h"
#include "platform/wintypes/Messages.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/extensions/shape.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <functional>
#include <future>
#include <map>
#include <mutex>
#include <set>
#include <thread>
#include <utility>

namespace win::detail {

namespace {

std::atomic<std::uint64_t> presents{0};

// The largest window the screen takes.
constexpr int MaxScreenSize = 32767;

DWORD Now()
{
    return static_cast<DWORD>(rtl::GetTickCount64());
}

struct ScreenWindow {
    SDL_Window* window = nullptr;
    RECT rect;  // where it is shown (window-system screen coordinates)
    DWORD style = 0;
    DWORD exStyle = 0;
    std::string title;
    bool shaped = false;
    bool layered = false;
};

// The X display and window of a shown window; false when SDL does not run on X11.
bool XWindowOf(SDL_Window* window, ::Display*& display, ::Window& xwindow)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) {
        return false;
    }
    display = info.info.x11.display;
    xwindow = info.info.x11.window;
    return true;
}

class SdlDisplay final : public DisplayDriver {
public:
    SdlDisplay() = default;
    ~SdlDisplay() override;

    void Start();

    void WindowShown(HWND hwnd, const RECT&) override { Mark(hwnd); }
    void WindowHidden(HWND hwnd) override { Mark(hwnd); }
    void WindowMoved(HWND hwnd, const RECT&) override { Mark(hwnd); }
    void WindowResized(HWND hwnd, const RECT&) override { Mark(hwnd); }
    void WindowRestacked(HWND hwnd, HWND) override { Mark(hwnd); }
    void WindowRegionChanged(HWND hwnd) override { Mark(hwnd); }
    void WindowLayeredChanged(HWND hwnd) override { Mark(hwnd); }
    void WindowDestroyed(HWND hwnd) override { Mark(hwnd); }
    void SurfaceDamaged(HWND hwnd, const RECT& rect) override;
    void Present(HWND) override { Wake(); }
    void WindowActivated(HWND hwnd) override;
    void CursorChanged(HCURSOR) override {}
    void ClipboardHandedOver(HWND) override;
    bool ForeignClipboardText(std::vector<BYTE>& unicodeText) override;
    void PumpEvents() override;

private:
    // Input is posted by the threads that fetch messages (PumpEvents), never by the display thread:
    // finding the window under the mouse asks that window, which only its own thread may answer.
    // A press is handled before what follows it is posted (the press may take the capture, which
    // decides where the rest goes).
    void Queue(std::function<void()> input, bool press = false);
    void Mark(HWND hwnd);
    void Wake();
    void Run(std::promise<std::string>& started);
    bool Open(std::string& error);
    void ReadDisplays();
    void Handle(const SDL_Event& event);
    void HandleWindowEvent(const SDL_WindowEvent& event);
    void HandleGrabbed(const XEvent& event);
    void PostMouse(UINT message, Uint32 windowId, int x, int y, int wheel = 0);
    void PostKeys();
    void Reconcile();
    void Show(HWND hwnd);
    void Upload(HWND hwnd, ScreenWindow& shown, const RECT& rect);
    void TakeClipboard();
    void Focus(HWND hwnd);
    void Shape(ScreenWindow& shown, const ScreenWindowState& state);
    void Restack();
    HWND WindowOfId(Uint32 id) const;

    std::thread thread_;
    Uint32 wakeEvent_ = 0;
    POINT origin_{0, 0};
    std::vector<MonitorLayout> monitors_;  // as last read
    KeyTranslator keys_;

    // Shared with the notifying threads.
    std::mutex mutex_;
    std::set<HWND> changed_;
    std::map<HWND, RECT> damage_;
    bool clipboardChanged_ = false;
    HWND activated_ = nullptr;
    struct Input {
        std::function<void()> post;
        bool press = false;
    };
    std::vector<Input> input_;
    std::atomic<bool> afterPress_{false};  // the last input posted was a press
    bool stopping_ = false;
    std::vector<std::pair<std::promise<std::pair<bool, std::string>>*, int>> clipboardAsks_;

    // The display thread's own.
    std::map<HWND, ScreenWindow> shown_;
    std::string ownClipboard_;
    bool focusLost_ = false;
    int windowManager_ = -1;  // whether one runs (_NET_SUPPORTING_WM_CHECK); -1 not known yet
    double wheelRest_ = 0;
    bool grabbed_ = false;  // the pointer, while a button is down
    ::Display* grabDisplay_ = nullptr;
};

SdlDisplay::~SdlDisplay()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    Wake();
    if (thread_.joinable()) {
        thread_.join();
    }
}

void SdlDisplay::Start()
{
    std::promise<std::string> started;
    auto result = started.get_future();
    thread_ = std::thread([this, &started] { Run(started); });
    const std::string error = result.get();
    if (!error.empty()) {
        thread_.join();
        throw EDisplayError(error);
    }
}

void SdlDisplay::Mark(HWND hwnd)
{
    {
        std::lock_guard lock(mutex_);
        changed_.insert(hwnd);
    }
    Wake();
}

void SdlDisplay::SurfaceDamaged(HWND hwnd, const RECT& rect)
{
    std::lock_guard lock(mutex_);
    auto [it, fresh] = damage_.emplace(hwnd, rect);
    if (!fresh) {
        UnionRect(&it->second, &it->second, &rect);
    }
}

void SdlDisplay::ClipboardHandedOver(HWND)
{
    {
        std::lock_guard lock(mutex_);
        clipboardChanged_ = true;
    }
    Wake();
}

void SdlDisplay::Queue(std::function<void()> input, bool press)
{
    std::lock_guard lock(mutex_);
    input_.push_back({std::move(input), press});
}

void SdlDisplay::PumpEvents()
{
    std::vector<Input> input;
    {
        std::lock_guard lock(mutex_);
        input.swap(input_);
    }
    for (std::size_t i = 0; i < input.size(); ++i) {
        if (afterPress_ && (HIWORD(GetQueueStatus(QS_MOUSEBUTTON)) & QS_MOUSEBUTTON)) {
            // The press waits in this thread's queue: the rest goes once it was handled.
            std::lock_guard lock(mutex_);
            input_.insert(input_.begin(), std::make_move_iterator(input.begin() + static_cast<std::ptrdiff_t>(i)),
                          std::make_move_iterator(input.end()));
            return;
        }
        input[i].post();
        afterPress_ = input[i].press;
    }
}

void SdlDisplay::WindowActivated(HWND hwnd)
{
    {
        std::lock_guard lock(mutex_);
        activated_ = hwnd;
    }
    Wake();
}

void SdlDisplay::Wake()
{
    if (wakeEvent_ == 0) {
        return;
    }
    SDL_Event event;
    SDL_zero(event);
    event.type = wakeEvent_;
    SDL_PushEvent(&event);
}

bool SdlDisplay::ForeignClipboardText(std::vector<BYTE>& unicodeText)
{
    if (std::this_thread::get_id() == thread_.get_id()) {
        return false;
    }
    std::promise<std::pair<bool, std::string>> answer;
    auto result = answer.get_future();
    {
        std::lock_guard lock(mutex_);
        clipboardAsks_.emplace_back(&answer, 0);
    }
    Wake();
    // The display thread answers within SDL's own bounded wait for the selection's owner.
    if (result.wait_for(std::chrono::seconds(3)) != std::future_status::ready) {
        std::lock_guard lock(mutex_);
        std::erase_if(clipboardAsks_, [&](const auto& ask) { return ask.first == &answer; });
        return false;
    }
    const auto [foreign, text] = result.get();
    if (!foreign) {
        return false;
    }
    unicodeText = ClipboardOfScreenText(text, CF_UNICODETEXT);
    return true;
}

bool SdlDisplay::Open(std::string& error)
{
    SDL_SetHint(SDL_HINT_MOUSE_AUTO_CAPTURE, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    if (SDL_VideoInit("x11") != 0) {
        const char* display = std::getenv("DISPLAY");
        error = std::string("Cannot open the X display DISPLAY=\"") + (display ? display : "") + "\": " + SDL_GetError();
        return false;
    }
    wakeEvent_ = SDL_RegisterEvents(1);
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    SDL_StartTextInput();
    ReadDisplays();
    return true;
}

void SdlDisplay::ReadDisplays()
{
    std::vector<ScreenDisplay> displays;
    const int count = SDL_GetNumVideoDisplays();
    for (int i = 0; i < count; ++i) {
        SDL_Rect bounds;
        SDL_Rect usable;
        if (SDL_GetDisplayBounds(i, &bounds) != 0) {
            continue;
        }
        if (SDL_GetDisplayUsableBounds(i, &usable) != 0) {
            usable = bounds;
        }
        displays.push_back({RECT{bounds.x, bounds.y, bounds.x + bounds.w, bounds.y + bounds.h},
                            RECT{usable.x, usable.y, usable.x + usable.w, usable.y + usable.h}});
    }
    if (displays.empty()) {
        return;
    }
    origin_ = ScreenOrigin(displays);
    const std::vector<MonitorLayout> monitors = MonitorsOfDisplays(displays);
    const bool first = monitors_.empty();
    if (!first && SameMonitors(monitors_, monitors)) {
        return;
    }
    const bool workAreasOnly = OnlyWorkAreasDiffer(monitors_, monitors);
    monitors_ = monitors;
    SetMonitors(monitors);
    if (first) {
        return;
    }
    // The program's windows hear of it as of a change of the display or of the work areas alone.
    const RECT primary = monitors.front().rect;
    Queue([workAreasOnly, primary] {
        if (workAreasOnly) {
            SendMessage(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
        } else {
            SendMessage(HWND_BROADCAST, WM_DISPLAYCHANGE, 32,
                        MAKELPARAM(static_cast<WORD>(primary.right - primary.left), static_cast<WORD>(primary.bottom - primary.top)));
        }
    });
}

void SdlDisplay::Run(std::promise<std::string>& started)
{
    std::string error;
    if (!Open(error)) {
        started.set_value(error);
        return;
    }
    started.set_value({});
    for (;;) {
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, 100)) {
            Handle(event);
            while (SDL_PollEvent(&event)) {
                Handle(event);
            }
        }
        PostKeys();
        if (focusLost_) {
            focusLost_ = false;
            if (!SDL_GetKeyboardFocus()) {
                Queue([] { ScreenAppDeactivated(); });
            }
        }
        bool anyInput;
        {
            std::lock_guard lock(mutex_);
            anyInput = !input_.empty();
        }
        if (anyInput) {
            WakeMessageWaits();
        }
        bool stop;
        bool clipboard;
        HWND activated;
        std::vector<std::pair<std::promise<std::pair<bool, std::string>>*, int>> asks;
        {
            std::lock_guard lock(mutex_);
            stop = stopping_;
            clipboard = std::exchange(clipboardChanged_, false);
            activated = std::exchange(activated_, nullptr);
            asks = std::exchange(clipboardAsks_, {});
        }
        if (stop) {
            break;
        }
        Reconcile();
        if (activated) {
            Focus(activated);
        }
        if (clipboard) {
            TakeClipboard();
        }
        for (auto& ask : asks) {
            std::pair<bool, std::string> answer{false, {}};
            if (SDL_HasClipboardText()) {
                if (char* text = SDL_GetClipboardText()) {
                    answer.second = text;
                    SDL_free(text);
                    answer.first = answer.second != ownClipboard_;
                }
            }
            ask.first->set_value(std::move(answer));
        }
    }
    for (auto& [hwnd, shown] : shown_) {
        SDL_DestroyWindow(shown.window);
    }
    shown_.clear();
    SDL_StopTextInput();
    SDL_VideoQuit();
}

HWND SdlDisplay::WindowOfId(Uint32 id) const
{
    for (const auto& [hwnd, shown] : shown_) {
        if (SDL_GetWindowID(shown.window) == id) {
            return hwnd;
        }
    }
    return nullptr;
}

void SdlDisplay::Handle(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_WINDOWEVENT:
        HandleWindowEvent(event.window);
        break;
    case SDL_SYSWMEVENT:
        if (grabbed_ && event.syswm.msg->subsystem == SDL_SYSWM_X11) {
            HandleGrabbed(event.syswm.msg->msg.x11.event);
        }
        break;
    case SDL_MOUSEMOTION:
        if (!grabbed_) {
            PostMouse(WM_MOUSEMOVE, event.motion.windowID, event.motion.x, event.motion.y);
        }
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        if (grabbed_) {
            break;  // the screen's own events bring it
        }
        const bool down = event.type == SDL_MOUSEBUTTONDOWN;
        UINT message = 0;
        switch (event.button.button) {
        case SDL_BUTTON_LEFT: message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP; break;
        case SDL_BUTTON_RIGHT: message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP; break;
        case SDL_BUTTON_MIDDLE: message = down ? WM_MBUTTONDOWN : WM_MBUTTONUP; break;
        default: return;
        }
        PostMouse(message, event.button.windowID, event.button.x, event.button.y);
        break;
    }
    case SDL_MOUSEWHEEL: {
        wheelRest_ += event.wheel.preciseY * (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -1 : 1);
        const int notches = static_cast<int>(wheelRest_);
        wheelRest_ -= notches;
        if (notches != 0) {
            int x = 0;
            int y = 0;
            SDL_GetGlobalMouseState(&x, &y);
            // One notch is 120 units of WM_MOUSEWHEEL.
            const POINT at{x - origin_.x, y - origin_.y};
            const DWORD time = Now();
            Queue([at, notches, time] { PostMouseInput(WM_MOUSEWHEEL, at, notches * 120, time); });
        }
        break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        ScreenKeyEvent key;
        key.down = event.type == SDL_KEYDOWN;
        key.repeat = event.key.repeat != 0;
        key.scancode = event.key.keysym.scancode;
        key.symbol = static_cast<std::uint32_t>(event.key.keysym.sym);
        key.modifiers = event.key.keysym.mod;
        key.time = Now();
        keys_.SetAltGrLayout(SDL_GetKeyFromScancode(SDL_SCANCODE_RALT) == SDLK_MODE);
        keys_.Key(key);
        break;
    }
    case SDL_TEXTINPUT:
        keys_.Text(event.text.text, Now());
        break;
    case SDL_DISPLAYEVENT:
        ReadDisplays();
        break;
    default:
        break;
    }
}

void SdlDisplay::HandleWindowEvent(const SDL_WindowEvent& event)
{
    const HWND hwnd = WindowOfId(event.windowID);
    if (!hwnd) {
        return;
    }
    switch (event.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED: {
        focusLost_ = false;
        std::vector<int> pressed;
        int count = 0;
        const Uint8* state = SDL_GetKeyboardState(&count);
        for (int i = 0; i < count; ++i) {
            if (state[i]) {
                pressed.push_back(i);
            }
        }
        keys_.Resynchronize(pressed, Now());
        // A click activates the window itself (WA_CLICKACTIVE) when its press arrives.
        if (!(SDL_GetGlobalMouseState(nullptr, nullptr) & SDL_BUTTON_LMASK)) {
            Queue([hwnd] { ScreenActivated(hwnd, false); });
        }
        break;
    }
    case SDL_WINDOWEVENT_FOCUS_LOST:
        focusLost_ = true;
        break;
    case SDL_WINDOWEVENT_CLOSE:
        Queue([hwnd] { ScreenCloseRequested(hwnd); });
        break;
    case SDL_WINDOWEVENT_RESTORED:
        if (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_MINIMIZE) {
            Queue([hwnd] { ScreenRestored(hwnd); });
        }
        break;
    case SDL_WINDOWEVENT_EXPOSED: {
        // Re-uploaded from the surface, without waking the window's thread.
        auto found = shown_.find(hwnd);
        if (found != shown_.end()) {
            const RECT& rect = found->second.rect;
            Upload(hwnd, found->second, RECT{0, 0, rect.right - rect.left, rect.bottom - rect.top});
        }
        break;
    }
    default:
        break;
    }
}

void SdlDisplay::PostMouse(UINT message, Uint32 windowId, int x, int y, int wheel)
{
    const HWND hwnd = WindowOfId(windowId);
    auto found = shown_.find(hwnd);
    if (found == shown_.end()) {
        return;
    }
    const POINT screen{found->second.rect.left + x, found->second.rect.top + y};
    const DWORD time = Now();
    const bool press = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
    Queue([message, screen, wheel, time] { PostMouseInput(message, screen, wheel, time); }, press);
    // While a button is down the pointer is grabbed, so moves and the release outside every window of
    // the program still arrive (as the screen's own events: SDL drops what lies outside its windows).
    ::Display* display = nullptr;
    ::Window xwindow = 0;
    if (press && !grabbed_ &&
        XWindowOf(found->second.window, display, xwindow)) {
        grabbed_ = XGrabPointer(display, xwindow, False, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                                GrabModeAsync, GrabModeAsync, None, None, CurrentTime) == GrabSuccess;
        grabDisplay_ = display;
    }
}

void SdlDisplay::HandleGrabbed(const XEvent& event)
{
    const DWORD time = Now();
    if (event.type == MotionNotify) {
        const POINT screen{event.xmotion.x_root - origin_.x, event.xmotion.y_root - origin_.y};
        Queue([screen, time] { PostMouseInput(WM_MOUSEMOVE, screen, 0, time); });
        return;
    }
    if ((event.type != ButtonPress && event.type != ButtonRelease) || event.xbutton.button < Button1 ||
        event.xbutton.button > Button3) {
        return;
    }
    const bool down = event.type == ButtonPress;
    static constexpr UINT downs[] = {WM_LBUTTONDOWN, WM_MBUTTONDOWN, WM_RBUTTONDOWN};
    static constexpr UINT ups[] = {WM_LBUTTONUP, WM_MBUTTONUP, WM_RBUTTONUP};
    const UINT message = (down ? downs : ups)[event.xbutton.button - Button1];
    const POINT screen{event.xbutton.x_root - origin_.x, event.xbutton.y_root - origin_.y};
    Queue([message, screen, time] { PostMouseInput(message, screen, 0, time); }, down);
    const unsigned held = event.xbutton.state & (Button1Mask | Button2Mask | Button3Mask);
    const unsigned released = Button1Mask << (event.xbutton.button - Button1);
    if (!down && (held & ~released) == 0) {
        XUngrabPointer(grabDisplay_, CurrentTime);
        XFlush(grabDisplay_);
        grabbed_ = false;
    }
}

void SdlDisplay::PostKeys()
{
    keys_.Flush();
    const std::vector<KeyMessage> messages = keys_.Take();
    if (messages.empty()) {
        return;
    }
    Queue([messages] {
        const HWND target = KeyboardTarget();
        if (!target) {
            return;
        }
        for (const KeyMessage& key : messages) {
            MSG msg;
            msg.hwnd = target;
            msg.message = key.message;
            msg.wParam = key.vk;
            msg.lParam = static_cast<LPARAM>(key.lParam);
            msg.time = key.time;
            GetCursorPos(&msg.pt);
            msg.lPrivate = key.lPrivate;
            PostInputMessage(&msg);
        }
    });
}

void SdlDisplay::Reconcile()
{
    std::set<HWND> changed;
    std::map<HWND, RECT> damage;
    {
        std::lock_guard lock(mutex_);
        changed.swap(changed_);
        damage.swap(damage_);
    }
    for (HWND hwnd : changed) {
        Show(hwnd);
    }
    if (!changed.empty()) {
        Restack();
    }
    bool uploaded = false;
    for (const auto& [hwnd, rect] : damage) {
        auto found = shown_.find(hwnd);
        if (found != shown_.end()) {
            Upload(hwnd, found->second, rect);
            uploaded = true;
        }
    }
    // Without a compositor a layered window shows itself blended over the program's windows beneath,
    // so it is composed again whenever anything changed.
    if (uploaded || !changed.empty()) {
        for (auto& [hwnd, shown] : shown_) {
            if (shown.layered) {
                Upload(hwnd, shown, RECT{0, 0, shown.rect.right - shown.rect.left, shown.rect.bottom - shown.rect.top});
            }
        }
    }
    if (uploaded) {
        ++presents;
    }
}

void SdlDisplay::Show(HWND hwnd)
{
    ScreenWindowState state;
    const bool exists = ReadScreenWindow(hwnd, state);
    const bool visible = exists && (state.style & WS_VISIBLE) && !(state.style & WS_MINIMIZE) &&
                         state.rect.right > state.rect.left && state.rect.bottom > state.rect.top;
    auto found = shown_.find(hwnd);
    if (!visible) {
        if (found != shown_.end()) {
            SDL_DestroyWindow(found->second.window);
            shown_.erase(found);
        }
        return;
    }
    const int width = std::min<int>(state.rect.right - state.rect.left, MaxScreenSize);
    const int height = std::min<int>(state.rect.bottom - state.rect.top, MaxScreenSize);
    const std::string title = ScreenTitle(state.text);
    if (found == shown_.end()) {
        const bool managed = (state.style & WS_CAPTION) == WS_CAPTION || (state.style & WS_THICKFRAME) ||
                             !(state.style & WS_POPUP);
        Uint32 flags = SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN;
        if (!managed) {
            flags |= (state.exStyle & WS_EX_TOOLWINDOW) ? SDL_WINDOW_TOOLTIP : SDL_WINDOW_POPUP_MENU;
        } else if (state.owner) {
            flags |= SDL_WINDOW_SKIP_TASKBAR;
        }
        if (state.exStyle & WS_EX_TOPMOST) {
            flags |= SDL_WINDOW_ALWAYS_ON_TOP;
        }
        SDL_Window* window = SDL_CreateWindow(title.c_str(), state.rect.left + origin_.x, state.rect.top + origin_.y,
                                              width, height, flags);
        if (!window) {
            return;
        }
        ScreenWindow shown;
        shown.window = window;
        shown.rect = state.rect;
        shown.style = state.style;
        shown.exStyle = state.exStyle;
        shown.title = title;
        shown.layered = state.layered;
        found = shown_.emplace(hwnd, shown).first;
        Shape(found->second, state);
        if (managed && state.owner) {
            for (HWND owner = state.owner; owner; owner = GetWindow(owner, GW_OWNER)) {
                auto ownerShown = shown_.find(owner);
                if (ownerShown != shown_.end()) {
                    SDL_SetWindowModalFor(window, ownerShown->second.window);
                    break;
                }
            }
        }
        SDL_ShowWindow(window);
        Upload(hwnd, found->second, RECT{0, 0, width, height});
        ++presents;
        return;
    }
    ScreenWindow& shown = found->second;
    if (state.rect.left != shown.rect.left || state.rect.top != shown.rect.top) {
        SDL_SetWindowPosition(shown.window, state.rect.left + origin_.x, state.rect.top + origin_.y);
    }
    if (state.rect.right - state.rect.left != shown.rect.right - shown.rect.left ||
        state.rect.bottom - state.rect.top != shown.rect.bottom - shown.rect.top) {
        SDL_SetWindowSize(shown.window, width, height);
        shown.rect = state.rect;
        Upload(hwnd, shown, RECT{0, 0, width, height});
    }
    shown.rect = state.rect;
    shown.layered = state.layered;
    Shape(shown, state);
    if (title != shown.title) {
        SDL_SetWindowTitle(shown.window, title.c_str());
        shown.title = title;
    }
}

void SdlDisplay::Upload(HWND hwnd, ScreenWindow& shown, const RECT& rect)
{
    SDL_Surface* surface = SDL_GetWindowSurface(shown.window);
    if (!surface) {
        return;
    }
    RECT part;
    const RECT bounds{0, 0, surface->w, surface->h};
    if (!IntersectRect(&part, &rect, &bounds)) {
        return;
    }
    const int width = part.right - part.left;
    const int height = part.bottom - part.top;
    if (!shown.layered && surface->format->format == SDL_PIXELFORMAT_RGB888) {
        // Our own pixel layout: copied straight into the framebuffer.
        SDL_LockSurface(surface);
        auto* to = reinterpret_cast<std::uint32_t*>(static_cast<Uint8*>(surface->pixels) + part.top * surface->pitch) +
                   part.left;
        CopyWindowPixels(hwnd, part, to, surface->pitch);
        SDL_UnlockSurface(surface);
    } else {
        Surface pixels(width, height);
        if (shown.layered) {
            ComposeScreen(RECT{shown.rect.left + part.left, shown.rect.top + part.top, shown.rect.left + part.right,
                               shown.rect.top + part.bottom},
                          pixels);
        } else {
            CopyWindowPixels(hwnd, part, pixels.Bits(), pixels.Stride());
        }
        SDL_LockSurface(surface);
        SDL_ConvertPixels(width, height, SDL_PIXELFORMAT_RGB888, pixels.Bits(), width * 4, surface->format->format,
                          static_cast<Uint8*>(surface->pixels) + part.top * surface->pitch +
                              part.left * surface->format->BytesPerPixel,
                          surface->pitch);
        SDL_UnlockSurface(surface);
    }
    const SDL_Rect update{part.left, part.top, width, height};
    SDL_UpdateWindowSurfaceRects(shown.window, &update, 1);
}

void SdlDisplay::Shape(ScreenWindow& shown, const ScreenWindowState& state)
{
    if (!state.hasRegion && !shown.shaped) {
        return;
    }
    ::Display* display = nullptr;
    ::Window xwindow = 0;
    if (!XWindowOf(shown.window, display, xwindow)) {
        return;
    }
    if (state.hasRegion) {
        // The region's bands, as the screen's bounding shape.
        std::vector<XRectangle> rects;
        for (const RECT& rect : state.region) {
            rects.push_back(XRectangle{static_cast<short>(rect.left), static_cast<short>(rect.top),
                                       static_cast<unsigned short>(rect.right - rect.left),
                                       static_cast<unsigned short>(rect.bottom - rect.top)});
        }
        XShapeCombineRectangles(display, xwindow, ShapeBounding, 0, 0, rects.data(), static_cast<int>(rects.size()),
                                ShapeSet, YXBanded);
    } else {
        XShapeCombineMask(display, xwindow, ShapeBounding, 0, 0, None, ShapeSet);
    }
    XFlush(display);
    shown.shaped = state.hasRegion;
}

void SdlDisplay::Restack()
{
    // The program's z-order, topmost first, for every window shown.
    std::vector<::Window> order;
    ::Display* display = nullptr;
    for (HWND hwnd = GetWindow(GetDesktopWindow(), GW_CHILD); hwnd; hwnd = GetWindow(hwnd, GW_HWNDNEXT)) {
        auto found = shown_.find(hwnd);
        ::Window xwindow = 0;
        if (found != shown_.end() && XWindowOf(found->second.window, display, xwindow)) {
            order.push_back(xwindow);
        }
    }
    if (order.size() > 1) {
        XRestackWindows(display, order.data(), static_cast<int>(order.size()));
        XFlush(display);
    }
}

void SdlDisplay::Focus(HWND hwnd)
{
    auto found = shown_.find(hwnd);
    if (found == shown_.end()) {
        return;
    }
    SDL_Window* window = found->second.window;
    ::Display* display = nullptr;
    ::Window xwindow = 0;
    if (!XWindowOf(window, display, xwindow)) {
        SDL_RaiseWindow(window);
        return;
    }
    if (windowManager_ < 0) {
        const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
        Atom type = 0;
        int format = 0;
        unsigned long items = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        windowManager_ = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, AnyPropertyType,
                                            &type, &format, &items, &after, &data) == Success &&
                         items > 0;
        if (data) {
            XFree(data);
        }
    }
    // With a window manager it grants the focus (_NET_ACTIVE_WINDOW); without one the program takes it.
    SDL_RaiseWindow(window);
    if (!windowManager_) {
        XSetInputFocus(display, xwindow, RevertToParent, CurrentTime);
    }
    // The raise put the window above the windows it owns: the program's order goes back.
    Restack();
    XFlush(display);
}

void SdlDisplay::TakeClipboard()
{
    if (!OpenClipboard(nullptr)) {
        return;
    }
    std::string text;
    bool any = false;
    for (UINT format : {CF_UNICODETEXT, CF_TEXT}) {
        if (HANDLE block = GetClipboardData(format)) {
            const void* data = GlobalLock(block);
            text = ScreenTextOfClipboard(format, data, GlobalSize(block));
            GlobalUnlock(block);
            any = true;
            break;
        }
    }
    CloseClipboard();
    if (any) {
        ownClipboard_ = text;
        SDL_SetClipboardText(text.c_str());
    }
}

}  // namespace

std::shared_ptr<DisplayDriver> StartSdlDisplay()
{
    auto display = std::make_shared<SdlDisplay>();
    display->Start();
    return display;
}

std::uint64_t PresentCount()
{
    return presents.load();
}

}  // namespace win::detail
