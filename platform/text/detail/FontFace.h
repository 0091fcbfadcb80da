#pragma once
// A realised font: one file of the private set at one size for one device resolution, with the values of
// its tables, its advances and its glyph coverage masks.
//
// Everything that measures text (metrics, advances, extents, ABC widths) comes from the unhinted outlines
// in font units, scaled by em / units-per-em and rounded by the three rules below, so a text measures the
// same on every device up to the scale. Only the glyph masks are hinted (light hinting, grey coverage),
// which changes their shapes, never their advances.
//
// A face may be used from any thread; its FreeType state is guarded by its own lock. What text measures
// and draws with most (each character's glyph and advance, each glyph's mask) is kept in tables filled
// at first use under that lock and read without it.

#include "platform/text/detail/FontConfig.h"
#include "platform/wintypes/LogFont.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace win::detail {

// The largest em, in device pixels, a logical font may ask for (about 2 m on paper at 600 dpi).
inline constexpr int kMaxFontEm = 16384;

// The values of a font file that the metrics read, in font units.
struct FontTables {
    int unitsPerEm = 0;
    int winAscent = 0, winDescent = 0;  // positive both
    int typoAscender = 0, typoDescender = 0, typoLineGap = 0;
    int hheaAscender = 0, hheaDescender = 0, hheaLineGap = 0;
    int advanceWidthMax = 0;
    int avgCharWidth = 0;
    int weightClass = 0;
    int fsSelection = 0, fsType = 0;
    int xHeight = 0, capHeight = 0;
    int firstChar = 0, lastChar = 0, defaultChar = 0, breakChar = 0;
    int strikeoutSize = 0, strikeoutPosition = 0;         // position: the top of the stroke
    int underlineThickness = 0, underlinePosition = 0;    // position: the centre of the line
    double italicAngle = 0;  // degrees, negative for glyphs leaning right
    int xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    std::uint32_t codePageRange1 = 0;
    std::array<std::uint8_t, 10> panose = {};
    std::string familyName, styleName;
};

// 8-bit coverage of one glyph, placed relative to the pen position on the baseline (y downwards).
struct GlyphMask {
    int left = 0;  // pen position to the first column
    int top = 0;   // pen position to the first row; negative above the baseline
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> coverage;  // width * height bytes, row by row, 0 (none) to 255 (full)
};

class FontFace {
public:
    // Realises font for a device of dpi pixels per inch. Raises EInvalidArgument for a resolution that is
    // not positive and for a height or width whose em falls outside 1 .. kMaxFontEm pixels.
    FontFace(const FontConfig& config, const LOGFONT& font, int dpi);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    const LOGFONT& LogFont() const { return logFont_; }
    int Dpi() const { return dpi_; }
    // The file drawn with and its whole bytes (for embedding).
    const FontFile& File() const { return file_; }
    std::span<const std::uint8_t> FileData() const { return *data_; }
    // The name the font reports for itself (see FontConfig::FaceName).
    std::string_view FaceName() const { return faceName_; }
    // The character set realised: the one asked for when the file covers it; otherwise (default, unknown
    // or uncovered sets) the set of the process code page when covered, else ANSI_CHARSET.
    int Charset() const { return charset_; }
    // Every character set the file covers, in the order of the OS/2 code-page bits.
    const std::vector<int>& Charsets() const { return charsets_; }
    const FontTables& Tables() const { return tables_; }
    bool Bold() const { return file_.bold; }
    bool Italic() const { return file_.italic; }
    // The em in device pixels, vertically and horizontally (they differ when lfWidth is given).
    int EmHeight() const { return emHeight_; }
    int EmWidth() const { return emWidth_; }
    // The baseline angle in tenths of a degree, 0 .. 3599.
    int Escapement() const { return escapement_; }

    // The rounding rules, in one place. Horizontal and vertical distances round to the nearest pixel
    // (halves away from zero); CeilY rounds a vertical extent outwards, so the cell holds every glyph.
    int ScaleX(double units) const;
    int ScaleY(double units) const;
    int CeilY(double units) const;

    // A character's glyph (0, the missing glyph, for a character the file lacks) and its advance in
    // device pixels, ScaleX of the glyph's advance in font units.
    struct CharGlyph {
        unsigned glyph = 0;
        int advance = 0;
    };
    CharGlyph Lookup(char32_t ch) const;
    unsigned GlyphIndex(char32_t ch) const { return Lookup(ch).glyph; }
    int Advance(char32_t ch) const { return Lookup(ch).advance; }
    int AdvanceUnits(unsigned glyph) const;
    // The leftmost and rightmost outline point in font units; both 0 for a glyph without outline.
    std::pair<int, int> InkUnits(unsigned glyph) const;

    // The glyph's coverage, rotated by the escapement; bi-level (0 or 255) with NONANTIALIASED_QUALITY.
    // The reference stays valid as long as the face.
    const GlyphMask& Glyph(char32_t ch) const;
    // The device offset (x right, y down) of a point distance pixels along the baseline.
    std::pair<int, int> BaselineOffset(int distance) const;

private:
    struct FreeType;
    // The characters of one block of 256 of the Basic Multilingual Plane, all looked up at once.
    using CharPage = std::array<CharGlyph, 256>;
    // The masks of 256 glyphs, each made at its first use.
    using MaskPage = std::array<std::atomic<const GlyphMask*>, 256>;
    static constexpr std::size_t kMaskPageSize = 256;

    // Under lock_: the character's glyph and advance, from FreeType.
    CharGlyph LookUpLocked(char32_t ch) const;
    // Under lock_: renders the glyph's mask.
    GlyphMask Render(unsigned glyph) const;

    LOGFONT logFont_;
    int dpi_;
    FontFile file_;
    std::shared_ptr<const std::vector<std::uint8_t>> data_;
    std::string faceName_;
    FontTables tables_;
    std::vector<int> charsets_;
    int charset_ = ANSI_CHARSET;
    int emHeight_ = 0;
    int emWidth_ = 0;
    int escapement_ = 0;
    std::vector<int> advanceUnits_;  // by glyph index

    mutable std::mutex lock_;  // guards the FreeType state, the caches below and the filling of the tables
    std::unique_ptr<FreeType> freeType_;
    mutable std::unordered_map<unsigned, std::pair<int, int>> ink_;
    mutable std::unordered_map<unsigned, GlyphMask> glyphs_;  // the masks' storage
    // Published with release once filled, read with acquire: a null entry is filled under the lock.
    mutable std::array<std::atomic<const CharPage*>, 256> charPages_{};
    mutable std::vector<std::atomic<MaskPage*>> maskPages_;  // by glyph / 256
};

}  // namespace win::detail
