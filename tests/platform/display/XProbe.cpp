#include "XProbe.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xfixes.h>

#include <string>

namespace displaytest {

namespace {

int IgnoreError(::Display*, XErrorEvent*)
{
    return 0;
}

}  // namespace

struct XProbe::Connection {
    ::Display* display = nullptr;
    int xkbEvents = 0;
};

XProbe::XProbe() : connection_(std::make_unique<Connection>())
{
    connection_->display = XOpenDisplay(nullptr);
    if (!connection_->display) {
        return;
    }
    int opcode = 0;
    int errors = 0;
    int major = XkbMajorVersion;
    int minor = XkbMinorVersion;
    if (XkbQueryExtension(connection_->display, &opcode, &connection_->xkbEvents, &errors, &major, &minor)) {
        XkbSelectEvents(connection_->display, XkbUseCoreKbd, XkbBellNotifyMask, XkbBellNotifyMask);
    }
    XSync(connection_->display, False);
}

XProbe::~XProbe()
{
    if (connection_->display) {
        XCloseDisplay(connection_->display);
    }
}

bool XProbe::Connected() const
{
    return connection_->display != nullptr;
}

CursorImage XProbe::Cursor()
{
    CursorImage image;
    XFixesCursorImage* cursor = XFixesGetCursorImage(connection_->display);
    if (!cursor) {
        return image;
    }
    image.width = cursor->width;
    image.height = cursor->height;
    image.xHot = cursor->xhot;
    image.yHot = cursor->yhot;
    // The server's pixels come as longs, one per pixel.
    for (int i = 0; i < cursor->width * cursor->height; ++i) {
        image.pixels.push_back(static_cast<std::uint32_t>(cursor->pixels[i]));
    }
    XFree(cursor);
    return image;
}

bool XProbe::BellRang()
{
    bool rang = false;
    XSync(connection_->display, False);
    while (XPending(connection_->display) > 0) {
        XEvent event;
        XNextEvent(connection_->display, &event);
        rang = rang || (event.type == connection_->xkbEvents &&
                        reinterpret_cast<const XkbEvent&>(event).any.xkb_type == XkbBellNotify);
    }
    return rang;
}

WindowImage XProbe::Window(unsigned long window)
{
    WindowImage image;
    ::Display* display = connection_->display;
    // The window may go at any moment (the program makes it again): an error only means no image.
    XSync(display, False);
    auto* previous = XSetErrorHandler(IgnoreError);
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable) {
        if (XImage* got = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                                    static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap)) {
            image.depth = attributes.depth;
            image.width = attributes.width;
            image.height = attributes.height;
            for (int y = 0; y < image.height; ++y) {
                for (int x = 0; x < image.width; ++x) {
                    image.pixels.push_back(static_cast<std::uint32_t>(XGetPixel(got, x, y)));
                }
            }
            XDestroyImage(got);
        }
    }
    XSync(display, False);
    XSetErrorHandler(previous);
    return image;
}

std::vector<unsigned long> XProbe::Stacking()
{
    std::vector<unsigned long> order;
    ::Window root = 0;
    ::Window parent = 0;
    ::Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(connection_->display, DefaultRootWindow(connection_->display), &root, &parent, &children, &count)) {
        order.assign(children, children + count);
        XFree(children);
    }
    return order;
}

unsigned long XProbe::Focus()
{
    ::Window focus = None;
    int revert = 0;
    XGetInputFocus(connection_->display, &focus, &revert);
    return focus;
}

bool XProbe::CompositorRuns()
{
    ::Display* display = connection_->display;
    const std::string selection = "_NET_WM_CM_S" + std::to_string(DefaultScreen(display));
    return XGetSelectionOwner(display, XInternAtom(display, selection.c_str(), False)) != None;
}

}  // namespace displaytest
