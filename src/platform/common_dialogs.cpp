#include "platform/common_dialogs.h"

#include <windows.h>
#include <commdlg.h>

#include "platform/system_library.h"
#include "platform/ui_window_table.h"

namespace {

HWND ownerOf(int windowId) {
    HWND foreground = GetForegroundWindow();
    if (windowIdOf(foreground) >= 0) return GetAncestor(foreground, GA_ROOT);
    return static_cast<HWND>(windowHandle(windowId));
}

int screenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi;
}

}  // namespace

bool chooseFont(int ownerWindowId, FontChoice& choice) {
    LOGFONTW font{};
    font.lfHeight = -MulDiv(choice.pointSize, screenDpi(), 72);
    font.lfWeight = (choice.styleFlags & 256) ? FW_BOLD : FW_NORMAL;
    font.lfItalic = (choice.styleFlags & 512) ? TRUE : FALSE;
    font.lfUnderline = (choice.styleFlags & 4) ? TRUE : FALSE;
    font.lfStrikeOut = (choice.styleFlags & 8) ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(font.lfFaceName, choice.face.c_str(), LF_FACESIZE);
    CHOOSEFONTW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = ownerOf(ownerWindowId);
    dialog.lpLogFont = &font;
    dialog.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    dialog.rgbColors = choice.color;
    static const auto chooseFont = systemFunction<BOOL(WINAPI*)(CHOOSEFONTW*)>(L"comdlg32.dll", "ChooseFontW");
    if (!chooseFont || !chooseFont(&dialog)) return false;
    choice.face = font.lfFaceName;
    choice.pointSize = dialog.iPointSize / 10;
    choice.styleFlags = (font.lfWeight >= FW_BOLD ? 256 : 0) | (font.lfItalic ? 512 : 0) |
                        (font.lfUnderline ? 4 : 0) | (font.lfStrikeOut ? 8 : 0);
    choice.color = dialog.rgbColors;
    return true;
}

bool chooseColor(int ownerWindowId, uint32_t& color, uint32_t (&customColors)[kCustomColorCount]) {
    COLORREF custom[kCustomColorCount];
    for (int i = 0; i < kCustomColorCount; ++i) custom[i] = customColors[i];
    CHOOSECOLORW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = ownerOf(ownerWindowId);
    dialog.rgbResult = color;
    dialog.lpCustColors = custom;
    dialog.Flags = CC_FULLOPEN | CC_RGBINIT;
    static const auto chooseColor = systemFunction<BOOL(WINAPI*)(CHOOSECOLORW*)>(L"comdlg32.dll", "ChooseColorW");
    if (!chooseColor || !chooseColor(&dialog)) return false;
    for (int i = 0; i < kCustomColorCount; ++i) customColors[i] = custom[i];
    color = dialog.rgbResult;
    return true;
}
