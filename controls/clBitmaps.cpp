#include "controls/clBitmaps.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"

#include <array>
#include <cstring>

namespace controls {

namespace {

constexpr std::int64_t kHeaderSize = 10;
constexpr char kSignature[4] = {'X', 'D', 'B', 'M'};
constexpr std::size_t kLongestRun = 125;

[[noreturn]] void DamagedPackedData()
{
    throw rtl::EReadError("damaged packed bitmap data");
}

// The length of the run that starts at data[start]: equal bytes for a repeat run, else bytes that each
// differ from the one before, leaving a pair of equal bytes to start the next run.
std::size_t CountRun(std::string_view data, std::size_t start, bool repeat)
{
    std::size_t count = 1;
    while (count < kLongestRun && start + count < data.size()) {
        const bool same = data[start + count] == data[start + count - 1];
        if (repeat != same) {
            if (!repeat)
                --count;
            break;
        }
        ++count;
    }
    return count;
}

}  // namespace

TclRGBQuad clColorToBGRA(gui::TColor color, std::uint8_t alpha)
{
    const win::COLORREF rgb = gui::ColorToRGB(color);
    return TclRGBQuad{win::GetBValue(rgb), win::GetGValue(rgb), win::GetRValue(rgb), alpha};
}

std::string PackBitmapRuns(std::string_view data)
{
    std::string runs;
    std::size_t i = 0;
    while (i < data.size()) {
        const bool repeat = i + 1 < data.size() && data[i + 1] == data[i];
        const std::size_t count = CountRun(data, i, repeat);
        if (repeat) {
            runs += char(count);
            runs += data[i];
        } else {
            runs += char(count + 0x80);
            runs.append(data.substr(i, count));
        }
        i += count;
    }
    return runs;
}

std::string UnpackBitmapRuns(std::string_view runs)
{
    std::string data;
    std::size_t i = 0;
    while (i < runs.size()) {
        const auto head = static_cast<unsigned char>(runs[i++]);
        if (head & 0x80) {
            const std::size_t count = head & 0x7F;
            if (count > runs.size() - i)
                DamagedPackedData();
            data.append(runs.substr(i, count));
            i += count;
        } else {
            if (i >= runs.size())
                DamagedPackedData();
            data.append(head, runs[i++]);
        }
    }
    return data;
}

// TclCustomBitmap

TclCustomBitmap::TclCustomBitmap(int width, int height, gui::TPixelFormat format)
    : clCanvas_(std::make_unique<TclCanvas>(Canvas()))
{
    LockChanges();
    SetSize(width, height);
    SetPixelFormat(format);
    UnlockChanges(true);
}

TclCustomBitmap::~TclCustomBitmap() = default;

const classes::TClassInfo& TclCustomBitmap::StaticClass()
{
    static const classes::TClassInfo info("TclCustomBitmap", &gui::TBitmap::StaticClass(),
                                          [](classes::TClassInfo& c) { classes::ClassBuilder<TclCustomBitmap>{c}; });
    return info;
}

void TclCustomBitmap::LockChanges()
{
    ++lockCount_;
}

void TclCustomBitmap::UnlockChanges(bool force)
{
    if (lockCount_ == 0)
        return;
    if (--lockCount_ == 0 && (force || changedWhileLocked_))
        Changed(this);
}

void TclCustomBitmap::Changed(classes::TObject* sender)
{
    if (lockCount_ > 0) {
        changedWhileLocked_ = true;
        return;
    }
    gui::TBitmap::Changed(sender);
    HandleBitmapChanged();
    changedWhileLocked_ = false;
}

void TclCustomBitmap::EraseContent()
{
    clCanvas_->FillRectColor(GetFullRect(), gui::clBlack);
}

void TclCustomBitmap::SetSize(int width, int height)
{
    LockChanges();
    gui::TBitmap::SetSize(width, height);
    UnlockChanges();
}

void TclCustomBitmap::RotateFlip(int rotation, bool flip)
{
    TclCanvas::RotateFlipBitmap(this, rotation, flip);
}

void TclCustomBitmap::ReadData(rtl::TStream& stream)
{
    const std::int64_t start = stream.Position();
    const std::int64_t available = stream.Size() - start;
    if (available >= kHeaderSize) {
        std::array<char, kHeaderSize> header{};
        stream.ReadBuffer(header.data(), kHeaderSize);
        if (std::memcmp(header.data() + 4, kSignature, 4) == 0) {
            std::int32_t length = 0;
            std::memcpy(&length, header.data(), 4);
            if (length < 0 || length > available - kHeaderSize)
                DamagedPackedData();
            std::string runs(std::size_t(length), '\0');
            stream.ReadBuffer(runs.data(), length);
            const std::string data = UnpackBitmapRuns(runs);
            rtl::TMemoryStream plain;
            plain.WriteBuffer(data.data(), std::int64_t(data.size()));
            plain.SetPosition(0);
            return gui::TBitmap::ReadData(plain);
        }
        stream.SetPosition(start);
    }
    gui::TBitmap::ReadData(stream);
}

void TclCustomBitmap::WriteData(rtl::TStream& stream)
{
    if (!compressData_)
        return gui::TBitmap::WriteData(stream);
    rtl::TMemoryStream plain;
    gui::TBitmap::WriteData(plain);
    const std::string runs = PackBitmapRuns(std::string_view(plain.Memory(), std::size_t(plain.Size())));
    const auto length = std::int32_t(runs.size());
    const std::uint16_t version = 1;
    stream.WriteBuffer(&length, 4);
    stream.WriteBuffer(kSignature, 4);
    stream.WriteBuffer(&version, 2);
    stream.WriteBuffer(runs.data(), length);
}

}  // namespace controls
