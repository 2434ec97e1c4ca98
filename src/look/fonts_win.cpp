#include "look/fonts_win.h"

#include <string>
#include <vector>

#include "shell/settings.h"

FontSet gFonts;

namespace {

struct InstalledFace {
    std::string name;
    DWORD type; // RASTER_FONTTYPE, TRUETYPE_FONTTYPE, ...
};

// The enumerated sizes of one face: the logical font of each and what it measures.
struct FaceSizes {
    std::vector<LOGFONTA> logFonts;
    std::vector<FontSizeEntry> entries;
};

int CALLBACK CollectFace(const LOGFONTA* logFont, const TEXTMETRICA*, DWORD type, LPARAM param) {
    reinterpret_cast<std::vector<InstalledFace>*>(param)->push_back({logFont->lfFaceName, type});
    return 1;
}

int CALLBACK CollectSize(const LOGFONTA* logFont, const TEXTMETRICA* metric, DWORD, LPARAM param) {
    FaceSizes* sizes = reinterpret_cast<FaceSizes*>(param);
    sizes->logFonts.push_back(*logFont);
    sizes->entries.push_back(
        {metric->tmHeight, metric->tmInternalLeading, metric->tmWeight, metric->tmItalic});
    return 1;
}

const InstalledFace* FindFace(const std::vector<InstalledFace>& faces, const char* face) {
    for (const InstalledFace& installed : faces)
        if (lstrcmpiA(installed.name.c_str(), face) == 0)
            return &installed;
    return nullptr;
}

// A size entry for a point size the face does not list (a scalable face, or a raster face
// without that size), as the font dialog's "Generate" makes one.
LOGFONTA MakeEntry(const char* face, const FaceSizes& sizes, const FontChoice& choice, int dpiY) {
    LOGFONTA logFont = {};
    logFont.lfHeight = -MulDiv(choice.points, dpiY, 72);
    logFont.lfWeight = choice.bold ? FW_BOLD : FW_NORMAL;
    logFont.lfItalic = choice.italic ? TRUE : FALSE;
    logFont.lfCharSet = sizes.logFonts.empty() ? DEFAULT_CHARSET : sizes.logFonts[0].lfCharSet;
    lstrcpynA(logFont.lfFaceName, face, LF_FACESIZE);
    return logFont;
}

// The font one specification asks for, or null when the face is not installed or no font
// results. Records the boldness, slant and (for the older form) points of what was made.
HFONT MakeFont(HDC screen, const std::vector<InstalledFace>& faces, FontKind kind,
               FontChoice* choice) {
    const InstalledFace* installed = FindFace(faces, choice->face);
    if (!installed)
        return NULL;
    FaceSizes sizes;
    EnumFontFamiliesA(screen, installed->name.c_str(), reinterpret_cast<FONTENUMPROCA>(CollectSize),
                      reinterpret_cast<LPARAM>(&sizes));
    const int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    const int count = static_cast<int>(sizes.entries.size());
    LOGFONTA logFont;
    if (choice->sizeIndex < 0) {
        int match = -1;
        if (installed->type & RASTER_FONTTYPE)
            match = FontSpec_MatchRaster(sizes.entries.data(), count, dpiY, choice->points,
                                         choice->bold, choice->italic);
        logFont = match >= 0 ? sizes.logFonts[match]
                             : MakeEntry(installed->name.c_str(), sizes, *choice, dpiY);
    } else if (choice->sizeIndex < count) {
        logFont = sizes.logFonts[choice->sizeIndex];
        // The older form has no point size. The view font writes it back in the older form;
        // the others are written with points, which must then be the size shown, not 0.
        if (kind != kFontView)
            choice->points = FontSpec_EntryPoints(sizes.entries[choice->sizeIndex], dpiY);
    } else {
        return NULL;
    }
    HFONT font = CreateFontIndirectA(&logFont);
    if (font) {
        choice->bold = logFont.lfWeight > kFontBoldWeight;
        choice->italic = logFont.lfItalic != 0;
    }
    return font;
}

} // namespace

int Fonts_Load() {
    static const FontKind kLoadOrder[] = {kFontEdit, kFontSearch, kFontDir, kFontView};
    Fonts_Free();
    HDC screen = GetDC(NULL);
    std::vector<InstalledFace> faces;
    EnumFontFamiliesA(screen, NULL, reinterpret_cast<FONTENUMPROCA>(CollectFace),
                      reinterpret_cast<LPARAM>(&faces));
    int ok = 1;
    for (FontKind kind : kLoadOrder) {
        FontChoice* choice = &gSettings.fonts[kind];
        HFONT font = MakeFont(screen, faces, kind, choice);
        gFonts.owned[kind] = font != NULL;
        if (!font) {
            font = static_cast<HFONT>(GetStockObject(OEM_FIXED_FONT));
            lstrcpynA(choice->face, kFontFallbackFace, kFontFaceMax);
            choice->bold = 0;
            choice->italic = 0;
        }
        gFonts.fonts[kind] = font;
        if (!font)
            ok = 0;
    }
    ReleaseDC(NULL, screen);
    return ok;
}

void Fonts_Free() {
    for (int kind = 0; kind < kFontKinds; kind++) {
        if (gFonts.owned[kind] && gFonts.fonts[kind])
            DeleteObject(gFonts.fonts[kind]);
        gFonts.fonts[kind] = NULL;
        gFonts.owned[kind] = false;
    }
}

HFONT Fonts_Get(FontKind kind) {
    HFONT font = kind >= 0 && kind < kFontKinds ? gFonts.fonts[kind] : NULL;
    return font ? font : static_cast<HFONT>(GetStockObject(OEM_FIXED_FONT));
}

TEXTMETRICA Fonts_ScreenMetrics(HFONT font) {
    HDC screen = GetDC(NULL);
    HGDIOBJ old = SelectObject(screen, font);
    TEXTMETRICA metric = {};
    GetTextMetricsA(screen, &metric);
    SelectObject(screen, old);
    ReleaseDC(NULL, screen);
    return metric;
}
