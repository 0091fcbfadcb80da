#include "XProbe.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

namespace displaytest {

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

}  // namespace displaytest
