#include "controls/clPainterResources.h"

#include "controls/clExtendedStylePainters.h"
#include "controls/clGraphics.h"
#include "controls/clLookAndFeels.h"
#include "controls/clRadioButtonImages.h"
#include "platform/classes/Resources.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SystemBitmaps.h"
#include "platform/gui/graphics/Colors.h"

#include <array>
#include <memory>

namespace controls {

namespace {

// Rebuilds the radio-button images after a change of the system colours.
class TSystemPaletteChangedNotifier : public TclSystemPaletteChangedNotifier {
public:
    TSystemPaletteChangedNotifier() : TclSystemPaletteChangedNotifier(true) {}
    void FirePaletteChanged() override
    {
        detail::RebuildRadioButtonImages();
        TclSystemPaletteChangedNotifier::FirePaletteChanged();
    }
};

struct PainterResources {
    std::unique_ptr<gui::TCustomImageList> indicators;
    std::array<std::unique_ptr<gui::TBitmap>, 2> pageBitmaps;
    std::unique_ptr<TSystemPaletteChangedNotifier> paletteNotifier;
    win::SIZE checkBoxSize{0, 0};
};
// Made by the start and freed by the end, so that nothing of it is left for the program's exit to free
// after the platform has gone.
PainterResources* resources = nullptr;

constexpr const char* indicatorNames[] = {"CL_ARROWBITMAP",    "CL_EDITBITMAP",       "CL_INSERTBITMAP",
                                          "CL_MULTIDOTBITMAP", "CL_MULTIARROWBITMAP", "CL_FILTERBITMAP"};

// All six or none, so that an image's index is always its kind.
std::unique_ptr<gui::TCustomImageList> LoadIndicatorImages()
{
    std::unique_ptr<gui::TCustomImageList> list;
    gui::TBitmap work;
    try {
        for (const char* name : indicatorNames) {
            work.LoadFromResourceName(nullptr, name);
            if (!list)
                list = std::make_unique<gui::TImageList>(work.Width(), work.Height());
            list->AddMasked(&work, gui::clWhite);
        }
    } catch (const classes::EResNotFound&) {
        return nullptr;
    }
    return list;
}

win::SIZE MeasureCheckBox()
{
    win::HBITMAP boxes = win::LoadBitmap(nullptr, win::MAKEINTRESOURCE(win::OBM_CHECKBOXES));
    win::BITMAP info{};
    win::SIZE size{0, 0};
    if (clReadBitmapInfo(boxes, info))
        size = win::SIZE{info.bmWidth / 4, info.bmHeight / 3};
    if (boxes)
        win::DeleteObject(boxes);
    return size;
}

}  // namespace

gui::TCustomImageList* clIndicatorImages()
{
    return resources ? resources->indicators.get() : nullptr;
}

gui::TBitmap* clScrollPageBrushBitmap(int index)
{
    return resources && (index == 0 || index == 1) ? resources->pageBitmaps[std::size_t(index)].get() : nullptr;
}

void clUpdateScrollPageBrushBitmaps()
{
    if (!resources)
        return;
    const gui::TColor odd[2] = {gui::clBtnHighlight, gui::cl3DDkShadow};
    const gui::TColor even[2] = {gui::clBtnFace, gui::clBlack};
    for (std::size_t i = 0; i < 2; ++i) {
        std::unique_ptr<gui::TBitmap>& bitmap = resources->pageBitmaps[i];
        if (!bitmap) {
            bitmap = std::make_unique<gui::TBitmap>();
            bitmap->SetSize(8, 8);
        }
        const win::COLORREF oddColor = gui::ColorToRGB(odd[i]);
        const win::COLORREF evenColor = gui::ColorToRGB(even[i]);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                bitmap->Canvas()->SetPixels(x, y, gui::TColor((x + y) % 2 ? oddColor : evenColor));
    }
}

win::SIZE clCheckBoxSize()
{
    return resources ? resources->checkBoxSize : win::SIZE{0, 0};
}

namespace detail {
void InitializePainters()
{
    CreateStylePainterRegistry();
    resources = new PainterResources;
    resources->indicators = LoadIndicatorImages();
    clUpdateScrollPageBrushBitmaps();
    resources->paletteNotifier = std::make_unique<TSystemPaletteChangedNotifier>();
    resources->checkBoxSize = MeasureCheckBox();
    StartRadioButtonImages();
}

void FinalizePainters()
{
    if (!resources)
        return;
    resources->paletteNotifier.reset();
    for (std::unique_ptr<gui::TBitmap>& bitmap : resources->pageBitmaps)
        bitmap.reset();
    resources->indicators.reset();
    FreeRadioButtonImages();
    FreeStylePainterRegistry();
    delete resources;
    resources = nullptr;
}
}  // namespace detail

}  // namespace controls
