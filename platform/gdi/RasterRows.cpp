#include "platform/gdi/detail/RasterRows.h"

namespace win {

using namespace detail;

namespace {

constexpr std::uint32_t kColourBits = 0x00FFFFFF;

// A loop per operation: op(pattern, source, destination) on words, with a loop of its own for each
// combination of the inputs it reads, so that none of them tests a pointer per pixel.
template <class Op>
void MixEach(const std::uint32_t* p, const std::uint32_t* s, std::uint32_t* d, int count, Op op)
{
    if (p && s) {
        for (int k = 0; k < count; ++k) {
            d[k] = op(p[k], s[k], d[k]);
        }
    } else if (s) {
        for (int k = 0; k < count; ++k) {
            d[k] = op(0, s[k], d[k]);
        }
    } else if (p) {
        for (int k = 0; k < count; ++k) {
            d[k] = op(p[k], 0, d[k]);
        }
    } else {
        for (int k = 0; k < count; ++k) {
            d[k] = op(0, 0, d[k]);
        }
    }
}

// Any code: its truth table read as three levels of selection, by pattern, source and destination bits.
// Bit i of the code is the result for pattern bit i & 4, source bit i & 2, destination bit i & 1.
void AnyRop3Row(BYTE code, const std::uint32_t* p, const std::uint32_t* s, std::uint32_t* d, int count)
{
    std::uint32_t leaf[8];
    for (int i = 0; i < 8; ++i) {
        leaf[i] = (code >> i & 1) ? ~std::uint32_t{0} : 0;
    }
    // x ? a : b on each bit is b ^ ((a ^ b) & x).
    const std::uint32_t flip00 = leaf[1] ^ leaf[0], flip01 = leaf[3] ^ leaf[2];
    const std::uint32_t flip10 = leaf[5] ^ leaf[4], flip11 = leaf[7] ^ leaf[6];
    MixEach(p, s, d, count, [=](std::uint32_t pk, std::uint32_t sk, std::uint32_t dk) {
        const std::uint32_t g00 = leaf[0] ^ (flip00 & dk), g01 = leaf[2] ^ (flip01 & dk);
        const std::uint32_t g10 = leaf[4] ^ (flip10 & dk), g11 = leaf[6] ^ (flip11 & dk);
        const std::uint32_t f0 = g00 ^ ((g01 ^ g00) & sk);
        const std::uint32_t f1 = g10 ^ ((g11 ^ g10) & sk);
        return (f0 ^ ((f1 ^ f0) & pk)) & kColourBits;
    });
}

}  // namespace

void detail::MixRop3Row(BYTE code, const std::uint32_t* p, const std::uint32_t* s, std::uint32_t* d, int count)
{
    using W = std::uint32_t;
    switch (code) {
    case 0x00:  // BLACKNESS
        return MixEach(p, s, d, count, [](W, W, W) { return W{0}; });
    case 0xFF:  // WHITENESS
        return MixEach(p, s, d, count, [](W, W, W) { return kColourBits; });
    case 0xCC:  // SRCCOPY, the top byte too
        return MixEach(p, s, d, count, [](W, W sk, W) { return sk; });
    case 0x33:  // NOTSRCCOPY
        return MixEach(p, s, d, count, [](W, W sk, W) { return ~sk & kColourBits; });
    case 0xEE:  // SRCPAINT
        return MixEach(p, s, d, count, [](W, W sk, W dk) { return (sk | dk) & kColourBits; });
    case 0x88:  // SRCAND
        return MixEach(p, s, d, count, [](W, W sk, W dk) { return sk & dk & kColourBits; });
    case 0x66:  // SRCINVERT
        return MixEach(p, s, d, count, [](W, W sk, W dk) { return (sk ^ dk) & kColourBits; });
    case 0x44:  // SRCERASE
        return MixEach(p, s, d, count, [](W, W sk, W dk) { return sk & ~dk & kColourBits; });
    case 0x11:  // NOTSRCERASE
        return MixEach(p, s, d, count, [](W, W sk, W dk) { return ~(sk | dk) & kColourBits; });
    case 0x22:  // the destination where the source is 0 (the mask blits' "mask out")
        return MixEach(p, s, d, count, [](W, W sk, W dk) { return ~sk & dk & kColourBits; });
    case 0xC0:  // MERGECOPY
        return MixEach(p, s, d, count, [](W pk, W sk, W) { return pk & sk & kColourBits; });
    case 0xBB:  // MERGEPAINT
        return MixEach(p, s, d, count, [](W, W sk, W dk) { return (~sk | dk) & kColourBits; });
    case 0xF0:  // PATCOPY
        return MixEach(p, s, d, count, [](W pk, W, W) { return pk & kColourBits; });
    case 0x5A:  // PATINVERT
        return MixEach(p, s, d, count, [](W pk, W, W dk) { return (pk ^ dk) & kColourBits; });
    case 0xFB:  // PATPAINT
        return MixEach(p, s, d, count, [](W pk, W sk, W dk) { return (pk | ~sk | dk) & kColourBits; });
    case 0x55:  // DSTINVERT
        return MixEach(p, s, d, count, [](W, W, W dk) { return ~dk & kColourBits; });
    case 0xAA:  // the destination as it is (the mask blits' other half)
        return MixEach(p, s, d, count, [](W, W, W dk) { return dk & kColourBits; });
    case 0xB8:  // the source selects between pattern and destination
        return MixEach(p, s, d, count, [](W pk, W sk, W dk) { return ((sk & dk) | (~sk & pk)) & kColourBits; });
    case 0xE2:  // the source selects between destination and pattern
        return MixEach(p, s, d, count, [](W pk, W sk, W dk) { return ((sk & pk) | (~sk & dk)) & kColourBits; });
    default:
        return AnyRop3Row(code, p, s, d, count);
    }
}

void detail::MixRop2Row(int mode, const std::uint32_t* pen, std::uint32_t* d, int count)
{
    using W = std::uint32_t;
    const auto apply = [&](auto op) {
        for (int k = 0; k < count; ++k) {
            d[k] = op(pen[k], d[k]) & kColourBits;
        }
    };
    switch (mode) {
    case R2_COPYPEN:
        return apply([](W pk, W) { return pk; });
    case R2_XORPEN:
        return apply([](W pk, W dk) { return pk ^ dk; });
    case R2_NOT:
        return apply([](W, W dk) { return ~dk; });
    case R2_NOTXORPEN:
        return apply([](W pk, W dk) { return ~(pk ^ dk); });
    case R2_MASKPEN:
        return apply([](W pk, W dk) { return pk & dk; });
    case R2_MERGEPEN:
        return apply([](W pk, W dk) { return pk | dk; });
    default: {
        // Bit i of the table is the result for pen bit i & 2 and destination bit i & 1.
        const auto table = static_cast<unsigned>(mode - 1);
        W leaf[4];
        for (unsigned i = 0; i < 4; ++i) {
            leaf[i] = (table >> i & 1) ? ~W{0} : 0;
        }
        const W flip0 = leaf[1] ^ leaf[0], flip1 = leaf[3] ^ leaf[2];
        return apply([&](W pk, W dk) {
            const W g0 = leaf[0] ^ (flip0 & dk), g1 = leaf[2] ^ (flip1 & dk);
            return g0 ^ ((g1 ^ g0) & pk);
        });
    }
    }
}

void detail::BlendConstantRow(const std::uint32_t* source, std::uint32_t* destination, int count, BYTE alpha)
{
    // Byte by byte, in 16-bit arithmetic: s * a + d * (255 - a) + 128 stays below 65536.
    const auto* s = reinterpret_cast<const std::uint8_t*>(source);
    auto* d = reinterpret_cast<std::uint8_t*>(destination);
    const std::uint16_t keep = 255 - alpha;
    for (int k = 0; k < count * 4; ++k) {
        const auto mixed = static_cast<std::uint16_t>(s[k] * alpha + d[k] * keep + 128);
        d[k] = static_cast<std::uint8_t>((mixed + (mixed >> 8)) >> 8);
    }
}

void detail::ClearTopBytes(std::uint32_t* pixels, int count)
{
    for (int k = 0; k < count; ++k) {
        pixels[k] &= kColourBits;
    }
}

}  // namespace win
