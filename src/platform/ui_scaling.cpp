#include "platform/ui_scaling.h"

#include "platform/screen_fit.h"
#include "platform/ui_windows.h"

#include <commctrl.h>

#include <cwchar>
#include <string>
#include <vector>

namespace {

// The functions that know a DPI per window came with Windows 10; before it
// there is only the system's DPI, and the program runs there too.
struct ScalingFunctions {
    bool loaded = false;
    int systemDpi = kBaseDpi;
    UINT(WINAPI* dpiForWindow)(HWND) = nullptr;
    int(WINAPI* metricForDpi)(int, UINT) = nullptr;
    BOOL(WINAPI* adjustForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;
};
ScalingFunctions scalingFunctions;

template <typename Function>
Function user32Function(const char* name) {
    const FARPROC found = GetProcAddress(GetModuleHandleW(L"user32.dll"), name);
    // Through the generic function type, which stands for any other.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

const ScalingFunctions& functions() {
    ScalingFunctions& f = scalingFunctions;
    if (f.loaded) return f;
    f.loaded = true;
    f.dpiForWindow = user32Function<decltype(f.dpiForWindow)>("GetDpiForWindow");
    f.metricForDpi = user32Function<decltype(f.metricForDpi)>("GetSystemMetricsForDpi");
    f.adjustForDpi = user32Function<decltype(f.adjustForDpi)>("AdjustWindowRectExForDpi");
    if (HDC screen = GetDC(nullptr)) {
        f.systemDpi = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    if (f.systemDpi <= 0) f.systemDpi = kBaseDpi;
    return f;
}

bool isControlOfClass(HWND control, const wchar_t* className) {
    wchar_t name[32] = {};
    return GetClassNameW(control, name, 32) > 0 && lstrcmpiW(name, className) == 0;
}

bool sameFont(const LOGFONTW& a, const LOGFONTW& b) {
    return a.lfHeight == b.lfHeight && a.lfWidth == b.lfWidth && a.lfEscapement == b.lfEscapement &&
           a.lfOrientation == b.lfOrientation && a.lfWeight == b.lfWeight && a.lfItalic == b.lfItalic &&
           a.lfUnderline == b.lfUnderline && a.lfStrikeOut == b.lfStrikeOut && a.lfCharSet == b.lfCharSet &&
           a.lfOutPrecision == b.lfOutPrecision && a.lfClipPrecision == b.lfClipPrecision &&
           a.lfQuality == b.lfQuality && a.lfPitchAndFamily == b.lfPitchAndFamily &&
           wcsncmp(a.lfFaceName, b.lfFaceName, LF_FACESIZE) == 0;
}

// A character height made from whole points at 96 DPI (createPointFont) is
// made from those points again, as the font chooser's size would be at this
// DPI; any other height is scaled.
LONG heightAt(LONG units, int dpi) {
    if (units < 0) {
        const int points = MulDiv(-units, 72, kBaseDpi);
        if (-MulDiv(points, kBaseDpi, 72) == units) return -MulDiv(points, dpi, 72);
    }
    return MulDiv(units, dpi, kBaseDpi);
}

ControlPlace& placeFor(WindowRecord& record, HWND control) {
    if (ControlPlace* known = placeOf(record, control)) return *known;
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    ControlPlace place;
    place.control = control;
    place.x = unitsOf(r.left, record.dpi);
    place.y = unitsOf(r.top, record.dpi);
    place.width = unitsOf(r.right - r.left, record.dpi);
    place.height = unitsOf(r.bottom - r.top, record.dpi);
    record.places.push_back(place);
    return record.places.back();
}

// What the control's font is at the window's DPI.
LOGFONTW fontAt(const ControlPlace& place, int dpi) {
    LOGFONTW at = place.font;
    if (place.ownFont) {
        at.lfHeight = heightAt(place.font.lfHeight, dpi);
        at.lfWidth = MulDiv(place.font.lfWidth, dpi, kBaseDpi);
    } else {
        // The stock font is made for the system's DPI.
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof at, &at);
        at.lfHeight = MulDiv(at.lfHeight, dpi, functions().systemDpi);
    }
    return at;
}

HFONT fontFor(WindowRecord& record, const ControlPlace& place) {
    if (!place.ownFont && record.dpi == functions().systemDpi)
        return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    const LOGFONTW at = fontAt(place, record.dpi);
    for (const ScaledFont& made : record.fonts)
        if (sameFont(made.at, at)) return made.font;
    HFONT font = CreateFontIndirectW(&at);
    if (font) record.fonts.push_back(ScaledFont{at, font});
    return font;
}

void sendFont(WindowRecord& record, const ControlPlace& place, bool redraw) {
    if (HFONT font = fontFor(record, place))
        SendMessageW(place.control, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? TRUE : FALSE);
}

// A font the program replaced (another category's, one chosen anew) goes once
// no control of the window shows it.
void dropUnusedFonts(WindowRecord& record) {
    std::erase_if(record.fonts, [&](const ScaledFont& made) {
        for (const ControlPlace& place : record.places)
            if (sameFont(fontAt(place, record.dpi), made.at)) return false;
        DeleteObject(made.font);
        return true;
    });
}

void moveToPlace(const WindowRecord& record, const ControlPlace& p) {
    SetWindowPos(p.control, nullptr, pixelsOf(p.x, record.dpi), pixelsOf(p.y, record.dpi) - record.scrollY,
                 pixelsOf(p.width, record.dpi), pixelsOf(p.height, record.dpi), SWP_NOZORDER | SWP_NOACTIVATE);
}

// Columns count only in the single-column form; the other forms make their
// columns fit their items by themselves.
void rescaleItemView(const WindowRecord& record, ControlPlace& place, int oldDpi) {
    HWND view = place.control;
    applyIconSpacing(record, place);
    if ((GetWindowLongPtrW(view, GWL_STYLE) & LVS_TYPEMASK) != LVS_REPORT) return;
    HWND header = reinterpret_cast<HWND>(SendMessageW(view, LVM_GETHEADER, 0, 0));
    const int columns = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    for (int column = 0; column < columns; ++column) {
        const int width = static_cast<int>(SendMessageW(view, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
        SendMessageW(view, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MulDiv(width, record.dpi, oldDpi));
    }
}

// The arrows of a spin field sit inside the right end of their field: given
// their field again, they take their place and width there anew.
void realignSpinArrows(HWND window) {
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!isControlOfClass(child, UPDOWN_CLASSW)) continue;
        const LRESULT buddy = SendMessageW(child, UDM_GETBUDDY, 0, 0);
        if (buddy) SendMessageW(child, UDM_SETBUDDY, static_cast<WPARAM>(buddy), 0);
    }
}

int textWidthOf(HWND control) {
    const int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), length + 1)));
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return size.cx;
}

}  // namespace

int pixelsOf(int units, int dpi) { return dpi == kBaseDpi ? units : MulDiv(units, dpi, kBaseDpi); }

int unitsOf(int pixels, int dpi) { return dpi == kBaseDpi || dpi <= 0 ? pixels : MulDiv(pixels, kBaseDpi, dpi); }

int screenPixels(int units) { return pixelsOf(units, functions().systemDpi); }

int screenUnits(int pixels) { return unitsOf(pixels, functions().systemDpi); }

int systemDpi() { return functions().systemDpi; }

int windowDpi(int windowId) {
    const WindowRecord* record = windowRecord(windowId);
    return record && record->handle ? record->dpi : systemDpi();
}

int systemMetricAt(int index, int dpi) {
    const ScalingFunctions& f = functions();
    if (f.metricForDpi) return f.metricForDpi(index, static_cast<UINT>(dpi));
    return MulDiv(GetSystemMetrics(index), dpi, f.systemDpi);
}

int reportedDpi(HWND window) {
    const ScalingFunctions& f = functions();
    const int dpi = f.dpiForWindow && window ? static_cast<int>(f.dpiForWindow(window)) : 0;
    return dpi > 0 ? dpi : f.systemDpi;
}

SIZE outerSizeAt(HWND window, int innerWidth, int innerHeight, int dpi, int frameDpi) {
    RECT r{0, 0, pixelsOf(innerWidth, dpi), pixelsOf(innerHeight, dpi)};
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    const ScalingFunctions& f = functions();
    if (f.adjustForDpi)
        f.adjustForDpi(&r, style, FALSE, exStyle, static_cast<UINT>(frameDpi));
    else
        AdjustWindowRectEx(&r, style, FALSE, exStyle);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

ControlPlace* placeOf(WindowRecord& record, HWND control) {
    for (ControlPlace& place : record.places)
        if (place.control == control) return &place;
    return nullptr;
}

// The view's own spacing follows the system's icon spacing, which is made for
// the system's DPI: on a display of another DPI it is that DPI's.
void applyIconSpacing(const WindowRecord& record, ControlPlace& place) {
    const int dpi = record.dpi;
    const bool systemSpacing = place.spacingX <= 0;
    LPARAM spacing = MAKELPARAM(pixelsOf(place.spacingX, dpi), pixelsOf(place.spacingY, dpi));
    if (systemSpacing && dpi != functions().systemDpi) {
        spacing = MAKELPARAM(systemMetricAt(SM_CXICONSPACING, dpi), systemMetricAt(SM_CYICONSPACING, dpi));
    } else if (systemSpacing) {
        // Back at the system's DPI the view works its spacing out itself again.
        if (!place.spacingSet) return;
        spacing = -1;  // both -1, as a signed value: 64 bits wide
    }
    place.spacingSet = !(systemSpacing && dpi == functions().systemDpi);
    SendMessageW(place.control, LVM_SETICONSPACING, 0, spacing);
}

void placeControl(WindowRecord& record, HWND control, int x, int y, int width, int height) {
    ControlPlace& place = placeFor(record, control);
    place.x = x;
    place.y = y;
    place.width = width;
    place.height = height;
    moveToPlace(record, place);
}

void fitToText(WindowRecord& record, HWND control) {
    ControlPlace& place = placeFor(record, control);
    place.fitsText = true;
    const int width = textWidthOf(control);
    place.width = unitsOf(width, record.dpi);
    RECT r{};
    GetClientRect(control, &r);
    SetWindowPos(control, nullptr, 0, 0, width, r.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void giveFont(WindowRecord& record, HWND control, HFONT font, bool redraw) {
    LOGFONTW units{};
    if (!font || GetObjectW(font, sizeof units, &units) == 0) return;
    ControlPlace& place = placeFor(record, control);
    place.ownFont = true;
    place.font = units;
    sendFont(record, place, redraw);
    dropUnusedFonts(record);
}

void giveDefaultFont(WindowRecord& record, HWND control) {
    ControlPlace& place = placeFor(record, control);
    place.ownFont = false;
    sendFont(record, place, false);
}

void releaseScaledFonts(WindowRecord& record) {
    for (const ScaledFont& made : record.fonts) DeleteObject(made.font);
    record.fonts.clear();
}

bool answerScaledSize(const WindowRecord& record, WPARAM wParam, LPARAM lParam) {
    RECT inner{};
    // A dialog that fits its work area finds its scale for the new display in onDpiChanged.
    if (record.fitsWorkArea || !GetClientRect(record.handle, &inner) || IsIconic(record.handle) ||
        IsZoomed(record.handle))
        return false;
    *reinterpret_cast<SIZE*>(lParam) = outerSizeAt(record.handle, unitsOf(inner.right, record.dpi),
                                                   unitsOf(inner.bottom, record.dpi), LOWORD(wParam), LOWORD(wParam));
    return true;
}

void relayoutAt(int windowId, WindowRecord& record, int dpi) {
    if (dpi <= 0 || dpi == record.dpi) return;
    const int oldDpi = record.dpi;
    record.dpi = dpi;
    // The old fonts go once no control uses them any more.
    std::vector<ScaledFont> before = std::move(record.fonts);
    record.fonts.clear();
    for (ControlPlace& place : record.places) {
        if (!IsWindow(place.control)) continue;
        sendFont(record, place, false);
        // The spin arrows go with their field, below.
        if (isControlOfClass(place.control, UPDOWN_CLASSW)) continue;
        moveToPlace(record, place);
        if (isControlOfClass(place.control, WC_LISTVIEWW)) rescaleItemView(record, place, oldDpi);
        if (place.fitsText) fitToText(record, place.control);
    }
    realignSpinArrows(record.handle);
    for (const ScaledFont& made : before) DeleteObject(made.font);
    queueEvent(eventFor(windowId, UiEventKind::ScaleChanged));
    RedrawWindow(record.handle, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
}

void onDpiChanged(int windowId, WindowRecord& record, WPARAM wParam, LPARAM lParam) {
    const int displayDpi = HIWORD(wParam);
    if (displayDpi <= 0) return;
    record.displayDpi = displayDpi;
    HWND window = record.handle;
    // The corner the system suggests, which keeps the window where the user
    // dragged it; the inner size kept in units (the size the system suggests
    // too, where it asked for it with WM_GETDPISCALEDSIZE).
    const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
    // A dialog finds the scale that fits the new display's work area as it is placed.
    if (record.fitsWorkArea && record.fitWidth > 0) {
        if (!IsIconic(window))
            placeWindow(windowId, screenUnits(suggested.left), screenUnits(suggested.top), record.fitWidth,
                        record.fitHeight);
        return;
    }
    const int dpi = displayDpi;
    if (dpi == record.dpi) return;
    RECT inner{};
    GetClientRect(window, &inner);
    const int width = unitsOf(inner.right, record.dpi);
    const int height = unitsOf(inner.bottom, record.dpi);
    relayoutAt(windowId, record, dpi);
    // A minimised window keeps the place it comes back to.
    if (IsZoomed(window)) {
        SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                     suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (!IsIconic(window)) {
        const SIZE outer = outerSizeAt(window, width, height, dpi, dpi);
        const RECT placed = keptWithin(RECT{suggested.left, suggested.top, suggested.left + outer.cx,
                                            suggested.top + outer.cy},
                                       workAreaNear(suggested), true);
        SetWindowPos(window, nullptr, placed.left, placed.top, placed.right - placed.left, placed.bottom - placed.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}
