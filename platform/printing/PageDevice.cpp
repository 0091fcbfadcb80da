#include "platform/printing/PageDevice.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/detail/DeviceContext.h"
#include "platform/gdi/detail/Surface.h"

namespace win {

namespace {

constexpr std::uint32_t kWhite = 0x00FFFFFF;

}  // namespace

struct PageDevice::Sheet {
    Sheet(const PageGeometry& page, bool informationOnly)
        : geometry(page),
          surface(informationOnly ? 1 : page.physical.cx, informationOnly ? 1 : page.physical.cy)
    {
        surface.Fill(surface.Bounds(), kWhite);
        detail::Device device;
        device.technology = DT_RASPRINTER;
        device.dpiX = page.dpiX;
        device.dpiY = page.dpiY;
        device.resolution = page.printable;
        device.physicalSize = page.physical;
        device.physicalOffset = page.offset;
        dc = detail::CreateDeviceSurfaceDC(surface, device, informationOnly ? POINT{} : page.offset);
        if (!dc) {
            throw rtl::EOutOfResources("The page of the printer cannot be made");
        }
    }
    ~Sheet() { DeleteDC(dc); }

    PageGeometry geometry;
    detail::Surface surface;
    HDC dc = nullptr;
};

PageDevice::PageDevice(const PageGeometry& page) : PageDevice(page, false)
{
}

PageDevice::PageDevice(const PageGeometry& page, bool informationOnly)
    : sheet_(std::make_unique<Sheet>(page, informationOnly))
{
}

std::unique_ptr<PageDevice> PageDevice::InformationOnly(const PageGeometry& page)
{
    return std::unique_ptr<PageDevice>(new PageDevice(page, true));
}

PageDevice::~PageDevice() = default;

HDC PageDevice::DC() const
{
    return sheet_->dc;
}

const PageGeometry& PageDevice::Geometry() const
{
    return sheet_->geometry;
}

PageImage PageDevice::Image() const
{
    const detail::Surface& surface = sheet_->surface;
    PageImage image;
    image.width = surface.Width();
    image.height = surface.Height();
    image.pixels.reserve(std::size_t(image.width) * std::size_t(image.height));
    for (int y = 0; y < image.height; ++y) {
        const std::uint32_t* row = surface.Row(y);
        for (int x = 0; x < image.width; ++x) {
            image.pixels.push_back(row[x] & 0x00FFFFFF);
        }
    }
    return image;
}

void PageDevice::Clear()
{
    sheet_->surface.Fill(sheet_->surface.Bounds(), kWhite);
}

}  // namespace win
