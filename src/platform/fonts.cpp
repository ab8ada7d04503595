#include "platform/fonts.h"

#include <windows.h>

#include "platform/ui_windows.h"

void deleteFont(void* font) { DeleteObject(static_cast<HFONT>(font)); }

FontHandle createPointFont(const std::wstring& face, int pointSize, int styleFlags) {
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(pointSize, kBaseDpi, 72);
    lf.lfWeight = (styleFlags & 256) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (styleFlags & 512) ? TRUE : FALSE;
    lf.lfUnderline = (styleFlags & 4) ? TRUE : FALSE;
    lf.lfStrikeOut = (styleFlags & 8) ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    FontHandle font;
    font.reset(CreateFontIndirectW(&lf));
    return font;
}

bool readFontFacts(const FontHandle& font, FontFacts& facts) {
    LOGFONTW lf{};
    if (!font || GetObjectW(static_cast<HFONT>(font.handle), sizeof lf, &lf) == 0) return false;
    facts.face = lf.lfFaceName;
    facts.height = lf.lfHeight;
    facts.weight = lf.lfWeight;
    facts.italic = lf.lfItalic != 0;
    facts.underline = lf.lfUnderline != 0;
    facts.strikeOut = lf.lfStrikeOut != 0;
    return true;
}
