#include "translation/ScreenCursorBinding.h"

#include "platform/gui/core/Screen.h"
#include "translation/ScreenCursor.h"

namespace translation {

namespace {

class TGuiScreenCursor final : public TScreenCursor {
public:
    std::int16_t Cursor() const override { return gui::Screen() ? gui::Screen()->Cursor() : crDefault; }
    void SetCursor(std::int16_t cursor) override
    {
        if (gui::Screen()) {
            gui::Screen()->SetCursor(cursor);
        }
    }
};

}  // namespace

void BindGuiScreenCursor()
{
    static TGuiScreenCursor screen;
    SetScreenCursor(&screen);
}

}  // namespace translation
