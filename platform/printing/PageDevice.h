#pragma once
// A page of a printer to draw on: a white 32-bit sheet of the page's physical size behind a device
// context whose point (0, 0) is the top left of the printable part, as on paper. GetDeviceCaps answers
// the printer: TECHNOLOGY DT_RASPRINTER, LOGPIXELSX/Y its resolution, HORZRES/VERTRES the printable
// part, PHYSICALWIDTH/HEIGHT the sheet and PHYSICALOFFSETX/Y where the printable part starts.

#include "platform/printing/PrintBackend.h"
#include "platform/wintypes/GdiTypes.h"

#include <memory>

namespace win {

class PageDevice {
public:
    // Raises rtl::EOutOfResources for a sheet too large to hold.
    explicit PageDevice(const PageGeometry& page);
    // The printer's answers without a sheet to draw on (drawing lands nowhere): for measuring.
    static std::unique_ptr<PageDevice> InformationOnly(const PageGeometry& page);
    ~PageDevice();
    PageDevice(const PageDevice&) = delete;
    PageDevice& operator=(const PageDevice&) = delete;

    HDC DC() const;
    const PageGeometry& Geometry() const;
    // The whole sheet as drawn so far.
    PageImage Image() const;
    // White again, for the next page.
    void Clear();

private:
    struct Sheet;
    PageDevice(const PageGeometry& page, bool informationOnly);
    std::unique_ptr<Sheet> sheet_;
};

}  // namespace win
