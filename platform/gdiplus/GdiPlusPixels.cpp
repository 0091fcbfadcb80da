#include "platform/gdiplus/detail/GdiPlusPixels.h"

#include <algorithm>

namespace win::detail {

std::uint32_t Premultiply(std::uint32_t straight)
{
    const std::uint32_t alpha = AlphaOf(straight);
    if (alpha == 255) {
        return straight;
    }
    return MakePixel(alpha, Scale(ChannelOf(straight, 16), alpha), Scale(ChannelOf(straight, 8), alpha),
                     Scale(ChannelOf(straight, 0), alpha));
}

std::uint32_t Unpremultiply(std::uint32_t premultiplied)
{
    const std::uint32_t alpha = AlphaOf(premultiplied);
    if (alpha == 255) {
        return premultiplied;
    }
    if (alpha == 0) {
        return 0;
    }
    const auto channel = [alpha](std::uint32_t value) { return std::min<std::uint32_t>(255, (value * 255 + alpha / 2) / alpha); };
    return MakePixel(alpha, channel(ChannelOf(premultiplied, 16)), channel(ChannelOf(premultiplied, 8)),
                     channel(ChannelOf(premultiplied, 0)));
}

std::uint32_t ScaleAll(std::uint32_t premultiplied, std::uint32_t alpha)
{
    return MakePixel(Scale(AlphaOf(premultiplied), alpha), Scale(ChannelOf(premultiplied, 16), alpha),
                     Scale(ChannelOf(premultiplied, 8), alpha), Scale(ChannelOf(premultiplied, 0), alpha));
}

std::uint32_t SourceOver(std::uint32_t source, std::uint32_t destination)
{
    const std::uint32_t remaining = 255 - AlphaOf(source);
    if (remaining == 0) {
        return source;
    }
    const auto channel = [&](int shift) {
        return std::min<std::uint32_t>(255, ChannelOf(source, shift) + Scale(ChannelOf(destination, shift), remaining));
    };
    return MakePixel(channel(24), channel(16), channel(8), channel(0));
}

std::uint32_t MixColor(std::uint32_t straight, std::uint32_t colour, int weight)
{
    const auto w = static_cast<std::uint32_t>(weight);
    const auto channel = [&](int shift) { return (ChannelOf(straight, shift) * (4 - w) + ChannelOf(colour, shift) * w + 2) / 4; };
    return MakePixel(AlphaOf(straight), channel(16), channel(8), channel(0));
}

}  // namespace win::detail
