#include "platform/text/detail/FontFace.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exceptions.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H
#include FT_BBOX_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <numbers>

namespace win {

using namespace detail;

struct FontFace::FreeType {
    FT_Library library = nullptr;
    FT_Face face = nullptr;

    ~FreeType()
    {
        if (face)
            FT_Done_Face(face);
        if (library)
            FT_Done_FreeType(library);
    }
};

namespace {

// The character set of each code-page bit of the OS/2 table's first range.
constexpr struct {
    int bit;
    int charset;
} kCodePageBits[] = {
    {0, ANSI_CHARSET},      {1, EASTEUROPE_CHARSET}, {2, RUSSIAN_CHARSET},      {3, GREEK_CHARSET},
    {4, TURKISH_CHARSET},   {5, HEBREW_CHARSET},     {6, ARABIC_CHARSET},       {7, BALTIC_CHARSET},
    {8, VIETNAMESE_CHARSET}, {16, THAI_CHARSET},     {17, SHIFTJIS_CHARSET},    {18, GB2312_CHARSET},
    {19, HANGEUL_CHARSET},  {20, CHINESEBIG5_CHARSET}, {21, JOHAB_CHARSET},     {29, MAC_CHARSET},
    {30, OEM_CHARSET},      {31, SYMBOL_CHARSET},
};

// A default logical font (height 0) asks for a cell of 12 points.
constexpr int kDefaultCellPoints = 12;

FontTables ReadTables(FT_Face face, const std::string& path)
{
    const auto* head = static_cast<const TT_Header*>(FT_Get_Sfnt_Table(face, FT_SFNT_HEAD));
    const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const auto* post = static_cast<const TT_Postscript*>(FT_Get_Sfnt_Table(face, FT_SFNT_POST));
    if (!head || !hhea || !os2 || !post || os2->version == 0xFFFF || head->Units_Per_EM == 0)
        throw rtl::EFOpenError("The font file " + path + " lacks the tables its metrics come from");
    FontTables t;
    t.unitsPerEm = head->Units_Per_EM;
    t.xMin = head->xMin;
    t.yMin = head->yMin;
    t.xMax = head->xMax;
    t.yMax = head->yMax;
    t.winAscent = os2->usWinAscent;
    t.winDescent = os2->usWinDescent;
    t.typoAscender = os2->sTypoAscender;
    t.typoDescender = os2->sTypoDescender;
    t.typoLineGap = os2->sTypoLineGap;
    t.hheaAscender = hhea->Ascender;
    t.hheaDescender = hhea->Descender;
    t.hheaLineGap = hhea->Line_Gap;
    t.advanceWidthMax = hhea->advance_Width_Max;
    t.avgCharWidth = os2->xAvgCharWidth;
    t.weightClass = os2->usWeightClass;
    t.fsSelection = os2->fsSelection;
    t.fsType = os2->fsType;
    t.firstChar = os2->usFirstCharIndex;
    t.lastChar = os2->usLastCharIndex;
    t.strikeoutSize = os2->yStrikeoutSize;
    t.strikeoutPosition = os2->yStrikeoutPosition;
    if (os2->version >= 1)
        t.codePageRange1 = static_cast<std::uint32_t>(os2->ulCodePageRange1);
    if (os2->version >= 2) {
        t.xHeight = os2->sxHeight;
        t.capHeight = os2->sCapHeight;
        t.defaultChar = os2->usDefaultChar;
        t.breakChar = os2->usBreakChar;
    } else {
        t.breakChar = ' ';
    }
    std::copy(std::begin(os2->panose), std::end(os2->panose), t.panose.begin());
    // FreeType gives the centre of the underline where the table gives its top edge.
    t.underlinePosition = face->underline_position;
    t.underlineThickness = face->underline_thickness;
    t.italicAngle = double(post->italicAngle) / 65536.0;
    t.familyName = face->family_name ? face->family_name : "";
    t.styleName = face->style_name ? face->style_name : "";
    return t;
}

int RealisedCharset(int requested, const std::vector<int>& covered)
{
    const auto has = [&](int charset) { return std::find(covered.begin(), covered.end(), charset) != covered.end(); };
    if (requested != DEFAULT_CHARSET && has(requested))
        return requested;
    const int processCharset = rtl::CodePageToCharset(rtl::AnsiCodePage());
    return has(processCharset) ? processCharset : ANSI_CHARSET;
}

int CheckedEm(double em, const char* what, LONG value)
{
    if (!(em >= 0.5 && em < kMaxFontEm + 0.5))
        throw rtl::EInvalidArgument(std::string("The font ") + what + " " + std::to_string(value) +
                                    " is outside the sizes the fonts can be drawn at");
    return int(std::lround(em));
}

}  // namespace

FontFace::FontFace(const FontConfig& config, const LOGFONT& font, int dpi)
    : logFont_(font), dpi_(dpi), freeType_(std::make_unique<FreeType>())
{
    if (dpi <= 0)
        throw rtl::EInvalidArgument("The device resolution " + std::to_string(dpi) + " is not positive");
    const FontFile& file = config.Match(font.lfFaceName.View(), font.lfWeight >= FW_SEMIBOLD, font.lfItalic != 0);
    file_ = file;
    data_ = config.FileData(file);
    faceName_ = std::string(FontConfig::FaceName(font.lfFaceName.View()));

    if (FT_Init_FreeType(&freeType_->library) != 0)
        throw rtl::EOutOfResources("The font engine cannot start");
    if (FT_New_Memory_Face(freeType_->library, data_->data(), FT_Long(data_->size()), 0, &freeType_->face) != 0)
        throw rtl::EFOpenError("The font file " + file_.path + " cannot be read as a font");
    FT_Face face = freeType_->face;
    tables_ = ReadTables(face, file_.path);

    for (const auto& entry : kCodePageBits)
        if (tables_.codePageRange1 & (std::uint32_t(1) << entry.bit))
            charsets_.push_back(entry.charset);
    charset_ = RealisedCharset(font.lfCharSet, charsets_);

    if (font.lfHeight < 0) {
        emHeight_ = CheckedEm(-double(font.lfHeight), "height", font.lfHeight);
    } else {
        const double cell = font.lfHeight > 0 ? double(font.lfHeight)
                                              : std::round(kDefaultCellPoints * double(dpi) / 72.0);
        emHeight_ = CheckedEm(cell * tables_.unitsPerEm / double(tables_.winAscent + tables_.winDescent), "height",
                              font.lfHeight);
    }
    emWidth_ = font.lfWidth == 0 ? emHeight_
                                 : CheckedEm(std::abs(double(font.lfWidth)) * tables_.unitsPerEm /
                                                 std::max(1, tables_.avgCharWidth),
                                             "width", font.lfWidth);
    escapement_ = ((font.lfEscapement % 3600) + 3600) % 3600;

    if (FT_Set_Char_Size(face, FT_F26Dot6(emWidth_) * 64, FT_F26Dot6(emHeight_) * 64, 72, 72) != 0)
        throw rtl::EInvalidArgument("The font " + file_.family + " cannot be drawn at " + std::to_string(emHeight_) +
                                    " pixels");
    if (escapement_ != 0) {
        const double angle = escapement_ / 10.0 * std::numbers::pi / 180.0;
        const auto fixed = [](double v) { return FT_Fixed(std::lround(v * 65536.0)); };
        FT_Matrix matrix = {fixed(std::cos(angle)), fixed(-std::sin(angle)), fixed(std::sin(angle)),
                            fixed(std::cos(angle))};
        FT_Set_Transform(face, &matrix, nullptr);
    }

    std::vector<FT_Fixed> advances(std::size_t(face->num_glyphs));
    if (!advances.empty() && FT_Get_Advances(face, 0, FT_UInt(advances.size()), FT_LOAD_NO_SCALE, advances.data()) != 0)
        throw rtl::EFOpenError("The font file " + file_.path + " has unreadable glyph widths");
    advanceUnits_.assign(advances.begin(), advances.end());
    maskPages_ = std::vector<std::atomic<MaskPage*>>((advanceUnits_.size() + kMaskPageSize - 1) / kMaskPageSize);
}

FontFace::~FontFace()
{
    for (auto& page : charPages_)
        delete page.load(std::memory_order_relaxed);
    for (auto& page : maskPages_)
        delete page.load(std::memory_order_relaxed);
}

int FontFace::ScaleX(double units) const
{
    return int(std::lround(units * emWidth_ / tables_.unitsPerEm));
}

int FontFace::ScaleY(double units) const
{
    return int(std::lround(units * emHeight_ / tables_.unitsPerEm));
}

int FontFace::CeilY(double units) const
{
    return int(std::ceil(units * emHeight_ / tables_.unitsPerEm));
}

FontFace::CharGlyph FontFace::Lookup(char32_t ch) const
{
    if (ch > 0xFFFF) {
        std::lock_guard lock(lock_);
        return LookUpLocked(ch);
    }
    auto& slot = charPages_[ch >> 8];
    const CharPage* page = slot.load(std::memory_order_acquire);
    if (!page) {
        std::lock_guard lock(lock_);
        page = slot.load(std::memory_order_relaxed);
        if (!page) {
            auto filled = std::make_unique<CharPage>();
            for (char32_t low = 0; low < 256; ++low)
                (*filled)[low] = LookUpLocked((ch & ~char32_t{0xFF}) | low);
            page = filled.release();
            slot.store(page, std::memory_order_release);
        }
    }
    return (*page)[ch & 0xFF];
}

FontFace::CharGlyph FontFace::LookUpLocked(char32_t ch) const
{
    const unsigned glyph = FT_Get_Char_Index(freeType_->face, FT_ULong(ch));
    return CharGlyph{glyph, ScaleX(AdvanceUnits(glyph))};
}

int FontFace::AdvanceUnits(unsigned glyph) const
{
    return glyph < advanceUnits_.size() ? advanceUnits_[glyph] : 0;
}

std::pair<int, int> FontFace::InkUnits(unsigned glyph) const
{
    std::lock_guard lock(lock_);
    if (auto found = ink_.find(glyph); found != ink_.end())
        return found->second;
    std::pair<int, int> ink{0, 0};
    FT_Face face = freeType_->face;
    if (FT_Load_Glyph(face, glyph, FT_LOAD_NO_SCALE | FT_LOAD_IGNORE_TRANSFORM | FT_LOAD_NO_BITMAP) == 0 &&
        face->glyph->format == FT_GLYPH_FORMAT_OUTLINE && face->glyph->outline.n_points > 0) {
        FT_BBox box;
        FT_Outline_Get_BBox(&face->glyph->outline, &box);
        ink = {int(box.xMin), int(box.xMax)};
    }
    ink_.emplace(glyph, ink);
    return ink;
}

const GlyphMask& FontFace::Glyph(char32_t ch) const
{
    const unsigned glyph = GlyphIndex(ch);
    MaskPage* page = nullptr;
    if (glyph < advanceUnits_.size()) {
        page = maskPages_[glyph / kMaskPageSize].load(std::memory_order_acquire);
        if (page) {
            if (const GlyphMask* mask = (*page)[glyph % kMaskPageSize].load(std::memory_order_acquire))
                return *mask;
        }
    }
    std::lock_guard lock(lock_);
    auto found = glyphs_.find(glyph);
    if (found == glyphs_.end())
        found = glyphs_.emplace(glyph, Render(glyph)).first;
    if (glyph < advanceUnits_.size()) {
        auto& pageSlot = maskPages_[glyph / kMaskPageSize];
        page = pageSlot.load(std::memory_order_relaxed);
        if (!page) {
            page = new MaskPage{};
            pageSlot.store(page, std::memory_order_release);
        }
        (*page)[glyph % kMaskPageSize].store(&found->second, std::memory_order_release);
    }
    return found->second;
}

GlyphMask FontFace::Render(unsigned glyph) const
{
    const bool mono = logFont_.lfQuality == NONANTIALIASED_QUALITY;
    // Light hinting only moves points vertically, which a rotated baseline would turn into distortion.
    const FT_Int32 hinting = escapement_ != 0 ? FT_LOAD_NO_HINTING : FT_LOAD_TARGET_LIGHT;
    FT_Face face = freeType_->face;
    GlyphMask mask;
    if (FT_Load_Glyph(face, glyph, FT_LOAD_NO_BITMAP | hinting) == 0 &&
        FT_Render_Glyph(face->glyph, mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) == 0) {
        const FT_Bitmap& bitmap = face->glyph->bitmap;
        mask.left = face->glyph->bitmap_left;
        mask.top = -face->glyph->bitmap_top;
        mask.width = int(bitmap.width);
        mask.height = int(bitmap.rows);
        mask.coverage.resize(std::size_t(mask.width) * std::size_t(mask.height));
        for (int y = 0; y < mask.height; ++y) {
            const unsigned char* row = bitmap.buffer + std::ptrdiff_t(y) * bitmap.pitch;
            std::uint8_t* out = mask.coverage.data() + std::size_t(y) * std::size_t(mask.width);
            for (int x = 0; x < mask.width; ++x)
                out[x] = bitmap.pixel_mode == FT_PIXEL_MODE_MONO ? ((row[x >> 3] >> (7 - (x & 7))) & 1 ? 255 : 0)
                                                                 : row[x];
        }
    }
    return mask;
}

std::pair<int, int> FontFace::BaselineOffset(int distance) const
{
    if (escapement_ == 0)
        return {distance, 0};
    const double angle = escapement_ / 10.0 * std::numbers::pi / 180.0;
    return {int(std::lround(distance * std::cos(angle))), int(-std::lround(distance * std::sin(angle)))};
}

}  // namespace win
