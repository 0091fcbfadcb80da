// The display thread: the one thread that talks to SDL. The window system's notifications (made with
// its lock held, from any thread) only note what changed and wake the thread; the thread reads the
// windows back through the window system, shows them, copies their damaged pixels to the screen and
// turns the screen's input into window-system input.

#include "platform/display/detail/SdlDisplay.h"

#include "platform/display/Display.h"
#include "platform/display/detail/KeyTranslator.h"
#include "platform/display/detail/ScreenCursor.h"
#include "platform/display/detail/ScreenLayout.h"
#include "platform/display/detail/ScreenText.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/services/detail/Sound.h"
#include "platform/rtl/Clock.h"
#include "platform/win/Clipboard.h"
#include "platform/win/GlobalMemory.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/ScreenImage.h"
#include "platform/win/Window.h"
#include "platform/win/detail/Layered.h"
#include "platform/win/detail/ScreenEvents.h"
#include "platform/wintypes/GdiTypes.h"
#include "platform/wintypes/Messages.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>
// X's name for a class of XQueryBestSize; here it is the window system's cursor.
#undef CursorShape

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <functional>
#include <future>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
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
    bool managed = false;  // by the window manager (not override-redirect)
    bool shaped = false;
    std::vector<RECT> shape;  // the bounding shape set (window coordinates) while shaped
    bool layered = false;  // composed over the program's windows beneath (ComposeScreen)
    bool blended = false;  // on the compositing manager's visual, presented as premultiplied ARGB
    LayeredState blend{};  // what its pixels were last presented with, while blended
    bool iconic = false;
    HICON icon = nullptr;
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

// Whether the window shows composed over what lies beneath (ComposeScreen): a layered window, which
// the screen cannot blend, and a window an animation shows in part or faded.
bool Composed(HWND hwnd, const ScreenWindowState& state)
{
    LayeredState layered;
    if (state.layered || !GetLayeredState(hwnd, layered)) {
        return state.layered;
    }
    const RECT whole{0, 0, state.rect.right - state.rect.left, state.rect.bottom - state.rect.top};
    return layered.alpha < 255 || !EqualRect(&layered.shown, &whole);
}

// Whether two layered states present the same pixels of the same picture.
bool SameBlend(const LayeredState& a, const LayeredState& b)
{
    return a.layered == b.layered && a.flags == b.flags && a.key == b.key && a.alpha == b.alpha &&
           a.updated == b.updated && EqualRect(&a.shown, &b.shown);
}

// The visual of windows a compositing manager blends by their alpha: the screen's 32-bit TrueColor
// visual, when one runs (owns _NET_WM_CM_S<screen>); 0 when none runs or there is no such visual.
VisualID BlendingVisual()
{
    ::Display* display = XOpenDisplay(nullptr);
    if (!display) {
        return 0;
    }
    const int screen = DefaultScreen(display);
    const std::string selection = "_NET_WM_CM_S" + std::to_string(screen);
    VisualID visual = 0;
    XVisualInfo info;
    if (XGetSelectionOwner(display, XInternAtom(display, selection.c_str(), False)) != None &&
        XMatchVisualInfo(display, screen, 32, TrueColor, &info)) {
        visual = info.visualid;
    }
    XCloseDisplay(display);
    return visual;
}

// Tells the window manager what kind of window it is (before the window is mapped).
void SetWindowType(SDL_Window* window, const char* type)
{
    ::Display* display = nullptr;
    ::Window xwindow = 0;
    if (!XWindowOf(window, display, xwindow)) {
        return;
    }
    const Atom property = XInternAtom(display, "_NET_WM_WINDOW_TYPE", False);
    const Atom value = XInternAtom(display, type, False);
    XChangeProperty(display, xwindow, property, XA_ATOM, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(&value),
                    1);
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
    void WindowIconChanged(HWND hwnd) override { Mark(hwnd); }
    void WindowDestroyed(HWND hwnd) override { Mark(hwnd); }
    void SurfaceDamaged(HWND hwnd, const RECT& rect) override;
    void Present(HWND) override { Wake(); }
    void WindowActivated(HWND hwnd) override
    {
        {
            std::lock_guard lock(mutex_);
            ++activations_;
            activated_ = hwnd;
        }
        Wake();
    }
    void CursorChanged(HCURSOR cursor) override { Note(cursor_, std::optional(cursor)); }
    void CursorMoved(POINT point) override { Note(warp_, std::optional(point)); }
    void CaptureChanged(HWND hwnd) override { Note(captureAsked_, std::optional(hwnd)); }
    void ClipboardHandedOver(HWND) override { Note(clipboardChanged_, true); }
    bool ForeignClipboardText(std::vector<BYTE>& unicodeText) override;
    void PumpEvents() override;

private:
    // Input is posted by the threads that fetch messages (PumpEvents), never by the display thread:
    // finding the window under the mouse asks that window, which only its own thread may answer.
    // A press is handled before what follows it is posted (the press may take the capture, which
    // decides where the rest goes).
    // Sets what the display thread is to act on (under the lock it shares with the notifiers) and wakes it.
    template <class Field, class Value>
    void Note(Field& field, Value value)
    {
        {
            std::lock_guard lock(mutex_);
            field = std::move(value);
        }
        Wake();
    }
    void Queue(std::function<void()> input, bool press = false);
    void Mark(HWND hwnd);
    void Wake();
    void Run(std::promise<std::string>& started);
    bool Open(std::string& error);
    void ReadDisplays();
    void Handle(const SDL_Event& event);
    void HandleWindowEvent(const SDL_WindowEvent& event);
    void HandlePointer(const XEvent& event);
    HWND WindowOfXWindow(::Window xwindow);
    void Grab(HWND capture);
    bool HoldPointer();
    void ShowCursorOf(HCURSOR cursor);
    SDL_Cursor* CursorOf(HCURSOR cursor);
    void PostKeys();
    void Reconcile();
    bool Show(HWND hwnd);
    ScreenWindow* Create(HWND hwnd, const ScreenWindowState& state, bool blended);
    void Recreate(HWND hwnd, const ScreenWindowState& state, bool blended);
    HWND NearestShownOwner(HWND owner) const;
    void ShowKeepingFocus(SDL_Window* window);
    void Destroy(SDL_Window* window);
    void Upload(HWND hwnd, ScreenWindow& shown, const RECT& rect);
    void TakeClipboard();
    void Focus(HWND hwnd);
    void Shape(HWND hwnd, ScreenWindow& shown, const ScreenWindowState& state);
    void Iconify(ScreenWindow& shown, bool iconic);
    void AnimationFrame(HWND hwnd, int frame);
    void RingBell();
    void SetIcon(ScreenWindow& shown, HICON icon);
    bool WindowManagerRuns(::Display* display);
    void ScreenGeometry(HWND hwnd, const SDL_WindowEvent& event);
    void Restack();
    HWND WindowOfId(Uint32 id) const;

    std::thread thread_;
    Uint32 wakeEvent_ = 0;
    POINT origin_{0, 0};
    std::vector<MonitorLayout> monitors_;  // as last read
    KeyTranslator keys_;
    VisualID blendingVisual_ = 0;  // layered windows are made on it when not 0 (checked once at start)

    // Shared with the notifying threads.
    std::mutex mutex_;
    std::set<HWND> changed_;
    std::map<HWND, RECT> damage_;
    bool clipboardChanged_ = false;
    bool bell_ = false;
    HWND activated_ = nullptr;
    unsigned activations_ = 0;  // how often the program activated a window
    std::optional<HCURSOR> cursor_;  // to show (null: none), when it changed
    std::optional<POINT> warp_;
    std::optional<HWND> captureAsked_;  // the capturing window (null: none), when it changed
    struct Input {
        std::function<void()> post;
        bool press = false;
    };
    std::vector<Input> input_;
    std::atomic<bool> afterPress_{false};  // the last input posted was a press
    bool stopping_ = false;
    std::uint64_t framesAsked_ = 0;  // animation frames marked so far
    std::uint64_t framesShown_ = 0;  // of those, the ones a finished round of the display thread saw
    std::condition_variable frameShown_;
    std::vector<std::pair<std::promise<std::pair<bool, std::string>>*, int>> clipboardAsks_;

    // The display thread's own.
    std::map<HWND, ScreenWindow> shown_;
    std::string ownClipboard_;
    bool focusLost_ = false;
    unsigned long focusRequest_ = 0;  // the serial of the program's last request for the focus
    std::set<::Window> staleFocus_;  // windows whose last focus came before that request
    std::optional<POINT> pointerLeft_;  // where the pointer left a window of the program
    int windowManager_ = -1;  // whether one runs (_NET_SUPPORTING_WM_CHECK); -1 not known yet
    double wheelRest_ = 0;
    HWND capture_ = nullptr;  // the window holding the capture
    HWND pressed_ = nullptr;  // the window a button went down on, while one is down
    bool grabbed_ = false;  // the pointer, for capture_ or else pressed_
    ::Display* grabDisplay_ = nullptr;
    ::Window holder_ = 0;  // the window holding the grab
    std::map<HCURSOR, SDL_Cursor*> cursors_;
};

SdlDisplay::~SdlDisplay()
{
    SetBellRinger(nullptr);
    SetAnimationStepper(nullptr);
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    frameShown_.notify_all();
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
    SetAnimationStepper([this](HWND hwnd, int frame, int) { AnimationFrame(hwnd, frame); });
    SetBellRinger([this](UINT) { Note(bell_, true); });
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
    blendingVisual_ = BlendingVisual();
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
        if (pointerLeft_ && !SDL_GetMouseFocus() && !grabbed_) {
            const POINT screen = *pointerLeft_;
            const DWORD time = Now();
            Queue([screen, time] { ScreenPointerLeft(screen, time); });
        }
        pointerLeft_.reset();
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
        std::optional<HCURSOR> cursor;
        std::optional<POINT> warp;
        std::optional<HWND> capture;
        bool bell;
        std::vector<std::pair<std::promise<std::pair<bool, std::string>>*, int>> asks;
        {
            std::lock_guard lock(mutex_);
            stop = stopping_;
            clipboard = std::exchange(clipboardChanged_, false);
            activated = std::exchange(activated_, nullptr);
            cursor = std::exchange(cursor_, std::nullopt);
            warp = std::exchange(warp_, std::nullopt);
            capture = std::exchange(captureAsked_, std::nullopt);
            bell = std::exchange(bell_, false);
            asks = std::exchange(clipboardAsks_, {});
        }
        if (stop) {
            break;
        }
        Reconcile();
        if (activated) {
            Focus(activated);
        }
        if (capture) {
            capture_ = *capture;
            Grab(capture_ ? capture_ : pressed_);
        }
        if (cursor) {
            ShowCursorOf(*cursor);
        }
        if (warp) {
            SDL_WarpMouseGlobal(warp->x + origin_.x, warp->y + origin_.y);
        }
        if (bell) {
            RingBell();
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
    for (auto& [handle, cursor] : cursors_) {
        SDL_FreeCursor(cursor);
    }
    cursors_.clear();
    if (holder_) {
        XDestroyWindow(grabDisplay_, holder_);
    }
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
        // Buttons, and moves while the pointer is held, are taken from X's own events, which carry root
        // coordinates: held, they come to a window SDL does not know, and SDL drops moves outside its windows.
        if (event.syswm.msg->subsystem == SDL_SYSWM_X11) {
            const XEvent& xevent = event.syswm.msg->msg.x11.event;
            if (xevent.type == FocusIn) {
                // The focus came before the program last moved it: an echo of an older move, not the user's.
                if (xevent.xfocus.serial < focusRequest_) {
                    staleFocus_.insert(xevent.xfocus.window);
                } else {
                    staleFocus_.erase(xevent.xfocus.window);
                }
            }
            HandlePointer(xevent);
        }
        break;
    case SDL_MOUSEMOTION:
        if (!grabbed_) {
            if (auto found = shown_.find(WindowOfId(event.motion.windowID)); found != shown_.end()) {
                const POINT screen{found->second.rect.left + event.motion.x, found->second.rect.top + event.motion.y};
                const DWORD time = Now();
                Queue([screen, time] { PostMouseInput(WM_MOUSEMOVE, screen, 0, time); });
            }
        }
        break;
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
        // A click activates the window itself (WA_CLICKACTIVE) when its press arrives. The program's
        // own activations win over the screen's focus they follow: the echo of a focus the program gave
        // before it moved the focus again, or while it asks to move it, activates nothing.
        ::Display* display = nullptr;
        ::Window xwindow = 0;
        bool stale = XWindowOf(shown_.at(hwnd).window, display, xwindow) && staleFocus_.erase(xwindow) > 0;
        unsigned seen;
        {
            std::lock_guard lock(mutex_);
            stale = stale || activated_;
            seen = activations_;
        }
        if (!stale && !(SDL_GetGlobalMouseState(nullptr, nullptr) & SDL_BUTTON_LMASK)) {
            Queue([this, hwnd, seen] {
                {
                    std::lock_guard lock(mutex_);
                    if (activations_ != seen) {
                        return;
                    }
                }
                ScreenActivated(hwnd, false);
            });
        }
        break;
    }
    case SDL_WINDOWEVENT_FOCUS_LOST:
        focusLost_ = true;
        break;
    case SDL_WINDOWEVENT_CLOSE:
        Queue([hwnd] { ScreenCloseRequested(hwnd); });
        break;
    case SDL_WINDOWEVENT_MOVED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        ScreenGeometry(hwnd, event);
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
            ++presents;  // what it shows now may be newer than what the last present showed
        }
        break;
    }
    default:
        break;
    }
}

void SdlDisplay::Grab(HWND hwnd)
{
    // While a window captures the mouse, or a button pressed on a window is down, the pointer is held,
    // so moves, presses and releases over other programs still arrive (as the screen's own events: SDL
    // drops what lies outside its windows).
    const HWND root = hwnd ? GetAncestor(hwnd, GA_ROOT) : nullptr;
    auto found = shown_.find(root);
    ::Display* display = nullptr;
    ::Window xwindow = 0;
    const bool wanted = found != shown_.end() && XWindowOf(found->second.window, display, xwindow);
    if (wanted == grabbed_) {
        return;
    }
    if (!wanted) {
        XUngrabPointer(grabDisplay_, CurrentTime);
        XFlush(grabDisplay_);
        grabbed_ = false;
        return;
    }
    // The grab is held by a window SDL does not know: SDL lets go of every grab when one of its own
    // windows sees the pointer enter, which the grab itself causes.
    if (!holder_) {
        XSetWindowAttributes attributes;
        attributes.override_redirect = True;
        holder_ = XCreateWindow(display, DefaultRootWindow(display), -1, -1, 1, 1, 0, CopyFromParent, InputOnly,
                                CopyFromParent, CWOverrideRedirect, &attributes);
        XMapWindow(display, holder_);
    }
    grabDisplay_ = display;
    grabbed_ = HoldPointer();
}

bool SdlDisplay::HoldPointer()
{
    const bool held = XGrabPointer(grabDisplay_, holder_, False, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                                   GrabModeAsync, GrabModeAsync, None, None, CurrentTime) == GrabSuccess;
    XFlush(grabDisplay_);
    return held;
}

void SdlDisplay::HandlePointer(const XEvent& event)
{
    if (event.type == EnterNotify && grabbed_ && event.xcrossing.window != holder_) {
        // SDL has let go of the grab on seeing this (a window raised under the pointer causes it).
        HoldPointer();
        return;
    }
    const DWORD time = Now();
    if (event.type == LeaveNotify && !grabbed_ && event.xcrossing.mode == NotifyNormal &&
        event.xcrossing.detail != NotifyInferior) {
        // Told once the events at hand are handled (SDL's last move inside comes after this), unless
        // another window of the program has the pointer by then.
        pointerLeft_ = POINT{event.xcrossing.x_root - origin_.x, event.xcrossing.y_root - origin_.y};
        return;
    }
    if (event.type == MotionNotify) {
        if (!grabbed_) {
            return;  // SDL's own motion brings it (X sends SDL's windows their moves in another form)
        }
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
    if (down && !grabbed_) {
        pressed_ = WindowOfXWindow(event.xbutton.window);
        Grab(pressed_);
    } else if (!down && (held & ~released) == 0 && pressed_) {
        pressed_ = nullptr;
        Grab(capture_);
    }
}

HWND SdlDisplay::WindowOfXWindow(::Window xwindow)
{
    for (const auto& [hwnd, shown] : shown_) {
        ::Display* display = nullptr;
        ::Window own = 0;
        if (XWindowOf(shown.window, display, own) && own == xwindow) {
            return hwnd;
        }
    }
    return nullptr;
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
    std::uint64_t frames;
    {
        std::lock_guard lock(mutex_);
        changed.swap(changed_);
        damage.swap(damage_);
        frames = framesAsked_;
    }
    bool uploaded = false;
    for (HWND hwnd : changed) {
        uploaded = Show(hwnd) || uploaded;
    }
    if (!changed.empty()) {
        Restack();
    }
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
                uploaded = true;
                if (ScreenWindowState state; ReadScreenWindow(hwnd, state)) {
                    Shape(hwnd, shown, state);  // what lies beneath decides which faint pixels show
                }
            }
        }
    }
    if (uploaded) {
        ++presents;
    }
    bool framesDone = false;
    {
        std::lock_guard lock(mutex_);
        framesDone = std::exchange(framesShown_, frames) < frames;
    }
    if (framesDone) {
        frameShown_.notify_all();
    }
}

bool SdlDisplay::Show(HWND hwnd)
{
    ScreenWindowState state;
    const bool exists = ReadScreenWindow(hwnd, state);
    const bool minimised = state.style & WS_MINIMIZE;
    auto found = shown_.find(hwnd);
    // A window minimised before it was ever shown appears when it is restored.
    const bool visible = exists && (state.style & WS_VISIBLE) && (!minimised || found != shown_.end()) &&
                         state.rect.right > state.rect.left && state.rect.bottom > state.rect.top;
    if (!visible) {
        if (found != shown_.end()) {
            Destroy(found->second.window);
            shown_.erase(found);
        }
        return false;
    }
    const bool blended = blendingVisual_ != 0 && state.layered;
    if (found == shown_.end()) {
        return Create(hwnd, state, blended) != nullptr;
    }
    if (found->second.blended != blended && !minimised) {
        // An X window keeps the visual it was made with: it is made again on the other.
        Recreate(hwnd, state, blended);
        return true;
    }
    const int width = std::min<int>(state.rect.right - state.rect.left, MaxScreenSize);
    const int height = std::min<int>(state.rect.bottom - state.rect.top, MaxScreenSize);
    const RECT whole{0, 0, width, height};
    bool uploaded = false;
    ScreenWindow& shown = found->second;
    if (minimised != shown.iconic) {
        Iconify(shown, minimised);
        if (!minimised) {
            // Its surface may have been made again meanwhile, with no damage told to a hidden window.
            Upload(hwnd, shown, whole);
            uploaded = true;
        }
    }
    if (minimised) {
        return uploaded;  // its place and size are its restored ones again once it comes back
    }
    if (state.rect.left != shown.rect.left || state.rect.top != shown.rect.top) {
        SDL_SetWindowPosition(shown.window, state.rect.left + origin_.x, state.rect.top + origin_.y);
    }
    if (state.rect.right - state.rect.left != shown.rect.right - shown.rect.left ||
        state.rect.bottom - state.rect.top != shown.rect.bottom - shown.rect.top) {
        SDL_SetWindowSize(shown.window, width, height);
        shown.rect = state.rect;
        Upload(hwnd, shown, whole);
        uploaded = true;
    }
    shown.rect = state.rect;
    const bool composed = !shown.blended && Composed(hwnd, state);
    if (std::exchange(shown.layered, composed) && !composed) {
        Upload(hwnd, shown, whole);  // its own pixels again, the animation over
        uploaded = true;
    }
    if (LayeredState blend; shown.blended && GetLayeredState(hwnd, blend) && !SameBlend(blend, shown.blend)) {
        Upload(hwnd, shown, whole);  // new attributes, or the next frame of an animation
        uploaded = true;
    }
    Shape(hwnd, shown, state);
    const std::string title = ScreenTitle(state.text);
    if (title != shown.title) {
        SDL_SetWindowTitle(shown.window, title.c_str());
        shown.title = title;
    }
    if (state.icon != shown.icon) {
        SetIcon(shown, state.icon);
    }
    return uploaded;
}

ScreenWindow* SdlDisplay::Create(HWND hwnd, const ScreenWindowState& state, bool blended)
{
    const int width = std::min<int>(state.rect.right - state.rect.left, MaxScreenSize);
    const int height = std::min<int>(state.rect.bottom - state.rect.top, MaxScreenSize);
    const std::string title = ScreenTitle(state.text);
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
    if (blended) {
        SDL_SetHint(SDL_HINT_VIDEO_X11_WINDOW_VISUALID, std::to_string(blendingVisual_).c_str());
    }
    SDL_Window* window = SDL_CreateWindow(title.c_str(), state.rect.left + origin_.x, state.rect.top + origin_.y,
                                          width, height, flags);
    if (blended) {
        SDL_ResetHint(SDL_HINT_VIDEO_X11_WINDOW_VISUALID);
    }
    if (!window) {
        return nullptr;
    }
    ScreenWindow made;
    made.window = window;
    made.rect = state.rect;
    made.style = state.style;
    made.exStyle = state.exStyle;
    made.title = title;
    made.managed = managed;
    made.blended = blended;
    made.layered = !blended && Composed(hwnd, state);
    ScreenWindow& shown = shown_.insert_or_assign(hwnd, made).first->second;
    Shape(hwnd, shown, state);
    SetIcon(shown, state.icon);
    if (managed && state.owner) {
        if (const HWND owner = NearestShownOwner(state.owner)) {
            SDL_SetWindowModalFor(window, shown_.at(owner).window);
        }
        if ((state.style & WS_CAPTION) == WS_CAPTION) {
            SetWindowType(window, "_NET_WM_WINDOW_TYPE_DIALOG");
        }
    }
    ShowKeepingFocus(window);
    Upload(hwnd, shown, RECT{0, 0, width, height});
    return &shown;
}

void SdlDisplay::Recreate(HWND hwnd, const ScreenWindowState& state, bool blended)
{
    const ScreenWindow old = shown_.at(hwnd);
    ::Display* display = nullptr;
    ::Window oldWindow = 0;
    ::Window focus = None;
    int revert = 0;
    if (XWindowOf(old.window, display, oldWindow)) {
        XGetInputFocus(display, &focus, &revert);
    }
    if (!Create(hwnd, state, blended)) {
        shown_.erase(hwnd);
        Destroy(old.window);
        return;
    }
    // The windows it owns are transient for the new X window; the keyboard focus goes over before the
    // old window goes, so that it never falls back to another; the place in the stack comes back with
    // the restacking that follows every change.
    for (auto& [other, shown] : shown_) {
        const HWND owner = GetWindow(other, GW_OWNER);
        if (other != hwnd && shown.managed && owner && NearestShownOwner(owner) == hwnd) {
            SDL_SetWindowModalFor(shown.window, shown_.at(hwnd).window);
        }
    }
    if (focus != None && focus == oldWindow) {
        Focus(hwnd);
    }
    Destroy(old.window);
}

void SdlDisplay::Destroy(SDL_Window* window)
{
    ::Display* display = nullptr;
    ::Window xwindow = 0;
    if (XWindowOf(window, display, xwindow)) {
        staleFocus_.erase(xwindow);  // X may give its id to another window
    }
    SDL_DestroyWindow(window);
}

void SdlDisplay::ShowKeepingFocus(SDL_Window* window)
{
    ::Display* display = nullptr;
    ::Window xwindow = 0;
    if (!XWindowOf(window, display, xwindow) || WindowManagerRuns(display)) {
        SDL_ShowWindow(window);
        return;
    }
    // Without a window manager SDL gives each window it shows the keyboard focus; the program decides
    // which of its windows has it (an activation moves it there next), so it goes back where it was.
    ::Window before = None;
    int revert = RevertToParent;
    XGetInputFocus(display, &before, &revert);
    SDL_ShowWindow(window);
    ::Window after = None;
    int ignored = 0;
    XGetInputFocus(display, &after, &ignored);
    const bool known = before == None || before == PointerRoot || before == DefaultRootWindow(display) ||
                       WindowOfXWindow(before);
    if (after == xwindow && before != xwindow && known) {
        focusRequest_ = NextRequest(display);
        XSetInputFocus(display, before, revert, CurrentTime);
        XFlush(display);
    }
}

HWND SdlDisplay::NearestShownOwner(HWND owner) const
{
    for (; owner; owner = GetWindow(owner, GW_OWNER)) {
        if (shown_.contains(owner)) {
            return owner;
        }
    }
    return nullptr;
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
    // Our own pixel layout, or premultiplied ARGB for the compositing manager to blend.
    const Uint32 layout = shown.blended ? SDL_PIXELFORMAT_ARGB8888 : SDL_PIXELFORMAT_RGB888;
    if (shown.blended) {
        // Read before the pixels: a change meanwhile is then seen and presented again.
        GetLayeredState(hwnd, shown.blend);
    }
    const auto copy = [&](std::uint32_t* to, std::ptrdiff_t pitch) {
        if (shown.blended) {
            CopyLayeredPixels(hwnd, part, to, pitch);
        } else {
            CopyWindowPixels(hwnd, part, to, pitch);
        }
    };
    if (!shown.layered && surface->format->format == layout) {
        // Copied straight into the framebuffer.
        SDL_LockSurface(surface);
        copy(reinterpret_cast<std::uint32_t*>(static_cast<Uint8*>(surface->pixels) + part.top * surface->pitch) +
                 part.left,
             surface->pitch);
        SDL_UnlockSurface(surface);
    } else {
        Surface pixels(width, height);
        if (shown.layered) {
            ComposeScreen(RECT{shown.rect.left + part.left, shown.rect.top + part.top, shown.rect.left + part.right,
                               shown.rect.top + part.bottom},
                          pixels);
        } else {
            copy(pixels.Bits(), pixels.Stride());
        }
        SDL_LockSurface(surface);
        SDL_ConvertPixels(width, height, layout, pixels.Bits(), width * 4, surface->format->format,
                          static_cast<Uint8*>(surface->pixels) + part.top * surface->pitch +
                              part.left * surface->format->BytesPerPixel,
                          surface->pitch);
        SDL_UnlockSurface(surface);
    }
    const SDL_Rect update{part.left, part.top, width, height};
    SDL_UpdateWindowSurfaceRects(shown.window, &update, 1);
}

void SdlDisplay::Shape(HWND hwnd, ScreenWindow& shown, const ScreenWindowState& state)
{
    // A layered window shown composed keeps, over nothing of ours, only its pixels at least half opaque.
    std::vector<RECT> layeredShape;
    const bool cut = shown.layered && ReadLayeredShape(hwnd, layeredShape);
    const bool shaped = cut || state.hasRegion;
    const std::vector<RECT>& wanted = cut ? layeredShape : state.region;
    if (shaped == shown.shaped && (!shaped || wanted == shown.shape)) {
        return;
    }
    ::Display* display = nullptr;
    ::Window xwindow = 0;
    if (!XWindowOf(shown.window, display, xwindow)) {
        return;
    }
    if (shaped) {
        // The bands, as the screen's bounding shape.
        std::vector<XRectangle> rects;
        for (const RECT& rect : wanted) {
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
    shown.shaped = shaped;
    shown.shape = shaped ? wanted : std::vector<RECT>();
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

bool SdlDisplay::WindowManagerRuns(::Display* display)
{
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
    return windowManager_ > 0;
}

void SdlDisplay::AnimationFrame(HWND hwnd, int frame)
{
    // AnimateWindow makes a frame of every 10 ms of its time: each is shown, and lasts that long.
    constexpr auto FrameTime = std::chrono::milliseconds(10);
    // A display that does not answer within this lets the animation go on.
    constexpr auto MostWait = std::chrono::seconds(1);
    static thread_local std::chrono::steady_clock::time_point next;
    const auto now = std::chrono::steady_clock::now();
    if (frame == 1 || next < now - MostWait) {
        next = now;
    }
    next += FrameTime;
    // Shown once a round of the display thread that saw this frame has presented: a present that
    // was under way already may not hold it.
    {
        std::unique_lock lock(mutex_);
        const std::uint64_t asked = ++framesAsked_;
        changed_.insert(hwnd);
        lock.unlock();
        Wake();
        lock.lock();
        frameShown_.wait_until(lock, now + MostWait, [&] { return framesShown_ >= asked || stopping_; });
    }
    std::this_thread::sleep_until(next);
}

void SdlDisplay::SetIcon(ScreenWindow& shown, HICON icon)
{
    shown.icon = icon;
    CursorShape shape;
    if (!icon || !GetCursorShape(icon, shape) || shape.size.cx <= 0 || shape.size.cy <= 0) {
        return;
    }
    std::vector<std::uint32_t> pixels = PixelsOfIcon(shape);
    if (SDL_Surface* image = SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), shape.size.cx, shape.size.cy, 32,
                                                                shape.size.cx * 4, SDL_PIXELFORMAT_ARGB8888)) {
        SDL_SetWindowIcon(shown.window, image);
        SDL_FreeSurface(image);
    }
}

void SdlDisplay::RingBell()
{
    // The X connection is SDL's, reached through a window; with no window shown there is no one to hear.
    for (const auto& [hwnd, shown] : shown_) {
        ::Display* display = nullptr;
        ::Window xwindow = 0;
        if (XWindowOf(shown.window, display, xwindow)) {
            XBell(display, 0);
            XFlush(display);
            return;
        }
    }
}

void SdlDisplay::Iconify(ScreenWindow& shown, bool iconic)
{
    // A window manager keeps the iconified window in its task bar; without one nothing could bring
    // it back, so it is only taken off the screen.
    ::Display* display = nullptr;
    ::Window xwindow = 0;
    const bool managed = XWindowOf(shown.window, display, xwindow) && WindowManagerRuns(display);
    if (iconic) {
        managed ? SDL_MinimizeWindow(shown.window) : SDL_HideWindow(shown.window);
    } else {
        managed ? SDL_RestoreWindow(shown.window) : ShowKeepingFocus(shown.window);
    }
    shown.iconic = iconic;
}

void SdlDisplay::ScreenGeometry(HWND hwnd, const SDL_WindowEvent& event)
{
    auto found = shown_.find(hwnd);
    if (found == shown_.end() || found->second.iconic) {
        return;
    }
    ScreenWindow& shown = found->second;
    // SDL reports no answer to its own requests (it waits for them and knows the window's place and
    // size already); what is left to tell from them is an answer the window already has.
    RECT rect = shown.rect;
    if (event.event == SDL_WINDOWEVENT_MOVED) {
        OffsetRect(&rect, event.data1 - origin_.x - rect.left, event.data2 - origin_.y - rect.top);
    } else {
        rect.right = rect.left + event.data1;
        rect.bottom = rect.top + event.data2;
    }
    if (EqualRect(&rect, &shown.rect)) {
        return;
    }
    // The screen has it so already: the window's own move that follows asks for nothing.
    shown.rect = rect;
    Queue([hwnd, rect] { ScreenMovedOrSized(hwnd, rect); });
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
    // With a window manager it grants the focus (_NET_ACTIVE_WINDOW); without one the program takes it.
    focusRequest_ = NextRequest(display);
    SDL_RaiseWindow(window);
    if (!WindowManagerRuns(display)) {
        XSetInputFocus(display, xwindow, RevertToParent, CurrentTime);
    }
    // The raise put the window above the windows it owns: the program's order goes back.
    Restack();
    XFlush(display);
}

void SdlDisplay::ShowCursorOf(HCURSOR cursor)
{
    SDL_Cursor* shown = cursor ? CursorOf(cursor) : nullptr;
    if (shown) {
        SDL_SetCursor(shown);
    }
    SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE);
}

SDL_Cursor* SdlDisplay::CursorOf(HCURSOR cursor)
{
    if (auto found = cursors_.find(cursor); found != cursors_.end()) {
        return found->second;
    }
    CursorShape shape;
    if (!GetCursorShape(cursor, shape)) {
        return nullptr;
    }
    static const std::map<WORD, SDL_SystemCursor> system{
        {32512, SDL_SYSTEM_CURSOR_ARROW},    {32513, SDL_SYSTEM_CURSOR_IBEAM},     {32514, SDL_SYSTEM_CURSOR_WAIT},
        {32515, SDL_SYSTEM_CURSOR_CROSSHAIR}, {32642, SDL_SYSTEM_CURSOR_SIZENWSE}, {32643, SDL_SYSTEM_CURSOR_SIZENESW},
        {32644, SDL_SYSTEM_CURSOR_SIZEWE},   {32645, SDL_SYSTEM_CURSOR_SIZENS},    {32646, SDL_SYSTEM_CURSOR_SIZEALL},
        {32648, SDL_SYSTEM_CURSOR_NO},       {32649, SDL_SYSTEM_CURSOR_HAND},      {32650, SDL_SYSTEM_CURSOR_WAITARROW},
    };
    SDL_Cursor* made = nullptr;
    if (auto id = system.find(shape.systemId); id != system.end()) {
        made = SDL_CreateSystemCursor(id->second);
    } else if (shape.systemId != 0 && !DrawnSystemCursor(shape.systemId, shape)) {
        return nullptr;
    } else if (!shape.colour.empty()) {
        std::vector<std::uint32_t> pixels = PixelsOfCursor(shape);
        if (SDL_Surface* image = SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), shape.size.cx, shape.size.cy, 32,
                                                                    shape.size.cx * 4, SDL_PIXELFORMAT_ARGB8888)) {
            made = SDL_CreateColorCursor(image, shape.hotSpot.x, shape.hotSpot.y);
            SDL_FreeSurface(image);
        }
    } else {
        const CursorMasks masks = MasksOfCursor(shape);
        made = SDL_CreateCursor(masks.data.data(), masks.mask.data(), masks.width, masks.height, shape.hotSpot.x,
                                shape.hotSpot.y);
    }
    if (made) {
        cursors_.emplace(cursor, made);
    }
    return made;
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
