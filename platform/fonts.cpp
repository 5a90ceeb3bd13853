#include "platform/fonts.h"
#include "platform/scale.h"

namespace {

struct CachedFont {
    FontStyle style;
    std::uint32_t dpi;
    HFONT font;
};

// A few styles at one or two scales at a time; constant-initialised, so it
// works during the static construction of the controls.
constexpr int kCacheSize = 16;
CachedFont cache[kCacheSize];
int cached = 0;
int users = 0;

bool SameStyle(const FontStyle& a, const FontStyle& b) {
    return a.height == b.height && a.weight == b.weight && a.arial == b.arial;
}

HFONT MakeFont(const FontStyle& style, std::uint32_t dpi) {
    // Start from the system's own font, so every field we do not set matches
    // the system's controls.
    LOGFONTA lf{};
    if (style.arial) {
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
        lf.lfQuality = PROOF_QUALITY;
        lstrcpynA(lf.lfFaceName, "Arial", LF_FACESIZE);
    } else {
        NONCLIENTMETRICSA metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        lf = metrics.lfMessageFont;
        lf.lfWidth = 0;
    }
    lf.lfHeight = ScaleForDpi(style.height, dpi);
    lf.lfWeight = style.weight;
    return CreateFontIndirectA(&lf);
}

void DeleteWhere(bool (*drop)(const CachedFont&, std::uint32_t), std::uint32_t dpi) {
    int kept = 0;
    for (int i = 0; i < cached; ++i) {
        if (drop(cache[i], dpi))
            DeleteObject(cache[i].font);
        else
            cache[kept++] = cache[i];
    }
    cached = kept;
}

bool OfAnotherDpi(const CachedFont& c, std::uint32_t dpi) {
    return c.dpi != dpi;
}
bool Any(const CachedFont&, std::uint32_t) {
    return true;
}

} // namespace

HFONT FontForDpi(const FontStyle& style, std::uint32_t dpi) {
    for (int i = 0; i < cached; ++i)
        if (cache[i].dpi == dpi && SameStyle(cache[i].style, style)) return cache[i].font;
    // Full only when scales change without their users moving on; the old
    // fonts cannot be in use then.
    if (cached == kCacheSize) KeepOnlyFontsForDpi(dpi);
    const HFONT font = MakeFont(style, dpi);
    if (font && cached < kCacheSize) cache[cached++] = CachedFont{style, dpi, font};
    return font;
}

void KeepOnlyFontsForDpi(std::uint32_t dpi) {
    DeleteWhere(OfAnotherDpi, dpi);
}

void AcquireFonts() {
    ++users;
}

void ReleaseFonts() {
    if (users > 0 && --users == 0) DeleteWhere(Any, 0);
}
