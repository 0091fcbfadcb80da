#include "platform/text/FontEngine.h"

#include "platform/gdi/detail/DeviceContext.h"
#include "platform/gdi/detail/GdiObjects.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/Exceptions.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/text/TextMetrics.h"
#include "platform/text/detail/FontConfig.h"
#include "platform/text/detail/FontEngine.h"
#include "platform/text/detail/FontMetrics.h"

#include <algorithm>
#include <mutex>
#include <string_view>

namespace win {

using namespace detail;

namespace {

// How many realised fonts stay cached after their last user lets go of them.
constexpr std::size_t kCachedFaces = 256;

struct CachedFace {
    LOGFONT font;
    int dpi;
    std::shared_ptr<const FontFace> face;
    unsigned long long lastUse;
};

struct Engine {
    std::mutex lock;
    std::unique_ptr<FontConfig> config;
    std::vector<CachedFace> faces;
    unsigned long long uses = 0;
};

Engine& TheEngine()
{
    static Engine engine;
    return engine;
}

// The loaded font set; the caller holds the engine's lock.
const FontConfig& LoadedConfig(const Engine& engine)
{
    if (!engine.config)
        throw rtl::EInvalidOperation("The fonts are used before they are loaded");
    return *engine.config;
}

constexpr struct {
    int charset;
    std::string_view script;
} kScripts[] = {
    {ANSI_CHARSET, "Western"},        {EASTEUROPE_CHARSET, "Central European"},
    {RUSSIAN_CHARSET, "Cyrillic"},    {GREEK_CHARSET, "Greek"},
    {TURKISH_CHARSET, "Turkish"},     {HEBREW_CHARSET, "Hebrew"},
    {ARABIC_CHARSET, "Arabic"},       {BALTIC_CHARSET, "Baltic"},
    {VIETNAMESE_CHARSET, "Vietnamese"}, {THAI_CHARSET, "Thai"},
    {SHIFTJIS_CHARSET, "Japanese"},   {GB2312_CHARSET, "CHINESE_GB2312"},
    {HANGEUL_CHARSET, "Hangul"},      {CHINESEBIG5_CHARSET, "CHINESE_BIG5"},
    {JOHAB_CHARSET, "Johab"},         {MAC_CHARSET, "Mac"},
    {OEM_CHARSET, "OEM/DOS"},         {SYMBOL_CHARSET, "Symbol"},
};

std::string_view ScriptName(int charset)
{
    for (const auto& entry : kScripts)
        if (entry.charset == charset)
            return entry.script;
    return {};
}

}  // namespace

void detail::InitializeFonts(const std::vector<std::filesystem::path>& folders)
{
    auto config = std::make_unique<FontConfig>(folders);
    Engine& engine = TheEngine();
    std::lock_guard lock(engine.lock);
    engine.faces.clear();
    engine.config = std::move(config);
}

void detail::FinalizeFonts()
{
    Engine& engine = TheEngine();
    std::lock_guard lock(engine.lock);
    engine.faces.clear();
    engine.config.reset();
}

const FontConfig& detail::Fonts()
{
    Engine& engine = TheEngine();
    std::lock_guard lock(engine.lock);
    return LoadedConfig(engine);
}

std::shared_ptr<const FontFace> detail::RealizeFont(const LOGFONT& font, int dpi)
{
    Engine& engine = TheEngine();
    std::lock_guard lock(engine.lock);
    const FontConfig& config = LoadedConfig(engine);
    ++engine.uses;
    for (auto& cached : engine.faces) {
        if (cached.dpi == dpi && cached.font == font) {
            cached.lastUse = engine.uses;
            return cached.face;
        }
    }
    auto face = std::make_shared<const FontFace>(config, font, dpi);
    if (engine.faces.size() >= kCachedFaces)
        engine.faces.erase(std::min_element(engine.faces.begin(), engine.faces.end(),
                                            [](const CachedFace& a, const CachedFace& b) {
                                                return a.lastUse < b.lastUse;
                                            }));
    engine.faces.push_back({font, dpi, face, engine.uses});
    return face;
}

int detail::EnumFontFamiliesEx(const LOGFONT& filter, int dpi, const FontEnumProc& proc)
{
    const bool allNames = filter.lfFaceName.Empty();
    int result = 1;
    for (const auto& family : FontConfig::Families()) {
        if (!allNames && !rtl::SameText(family.name, filter.lfFaceName.View()))
            continue;
        for (int style = 0; style < (allNames ? 1 : 4); ++style) {
            LOGFONT request;
            request.lfFaceName = family.name;
            request.lfWeight = style & 1 ? FW_BOLD : FW_NORMAL;
            request.lfItalic = style & 2 ? 1 : 0;
            const auto face = RealizeFont(request, dpi);
            for (const int charset : face->Charsets()) {
                if (filter.lfCharSet != DEFAULT_CHARSET && filter.lfCharSet != charset)
                    continue;
                request.lfCharSet = BYTE(charset);
                const TEXTMETRIC tm = TextMetricsA(*RealizeFont(request, dpi));
                ENUMLOGFONTEX entry;
                entry.elfLogFont = request;
                entry.elfLogFont.lfHeight = tm.tmHeight;
                entry.elfLogFont.lfWidth = tm.tmAveCharWidth;
                entry.elfLogFont.lfWeight = tm.tmWeight;
                entry.elfLogFont.lfOutPrecision = OUT_STROKE_PRECIS;
                entry.elfLogFont.lfClipPrecision = CLIP_STROKE_PRECIS;
                entry.elfLogFont.lfQuality = DRAFT_QUALITY;
                entry.elfLogFont.lfPitchAndFamily =
                    BYTE((tm.tmPitchAndFamily & 0xF0) |
                         (tm.tmPitchAndFamily & TMPF_FIXED_PITCH ? VARIABLE_PITCH : FIXED_PITCH));
                const std::string& styleName = face->Tables().styleName;
                entry.elfStyle = styleName;
                entry.elfFullName = std::string(family.name) + (styleName == "Regular" ? "" : " " + styleName);
                entry.elfScript = std::string(ScriptName(charset));
                result = proc(entry, tm, TRUETYPE_FONTTYPE);
                if (result == 0)
                    return 0;
            }
        }
    }
    return result;
}

int EnumFontFamiliesEx(HDC dc, const LOGFONT* filter, FONTENUMPROC proc, LPARAM lParam, DWORD /*flags*/)
{
    if (!filter || !proc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    int dpi = 0;
    {
        // The callbacks run without the lock, free to draw on the context.
        auto lock = LockGdi();
        const DeviceContext* context = FindDC(dc);
        if (!context)
            return 0;
        dpi = context->device.dpiY;
    }
    return EnumFontFamiliesEx(*filter, dpi, [&](const ENUMLOGFONTEX& font, const TEXTMETRIC& metrics, DWORD type) {
        return proc(&font, &metrics, type, lParam);
    });
}

}  // namespace win
