// `probe fits`: whether a window's controls lie inside its client area and
// their texts fit them, measured in each control's own font as the control
// draws it (see probe.cpp for the lines it writes).
#include <algorithm>
#include <memory>

#include "object_counts.h"
#include "probe.h"

namespace probe {

namespace {

enum class Room { None, Line, Wrapped, Check, Push, Group };

// How the control lays out its text; None for a control that shows no text
// of its own (fields, lists, icons, frames).
Room roomOf(const wchar_t* className, LONG style) {
    if (_wcsicmp(className, L"Static") == 0) {
        const LONG type = style & SS_TYPEMASK;
        if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP &&
            type != SS_SIMPLE)
            return Room::None;
        // Centred upright or ended with an ellipsis, a static keeps to one line.
        const bool oneLine = type == SS_LEFTNOWORDWRAP || type == SS_SIMPLE || (style & SS_CENTERIMAGE) ||
                             (style & SS_ELLIPSISMASK);
        return oneLine ? Room::Line : Room::Wrapped;
    }
    if (_wcsicmp(className, L"Button") != 0 || (style & (BS_ICON | BS_BITMAP))) return Room::None;
    switch (style & BS_TYPEMASK) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON: return Room::Push;
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON: return (style & BS_PUSHLIKE) ? Room::Push : Room::Check;
        case BS_GROUPBOX: return Room::Group;
        default: return Room::None;
    }
}

struct Measured {
    HWND control;
    Room room;
};

bool textFits(HDC dc, const Measured& m) {
    const std::wstring text = textOf(m.control);
    if (text.empty()) return true;
    RECT client{};
    GetClientRect(m.control, &client);
    const LONG style = GetWindowLongW(m.control, GWL_STYLE);
    const int dpi = static_cast<int>(GetDpiForWindow(m.control));
    SIZE zero{};
    GetTextExtentPoint32W(dc, L"0", 1, &zero);
    int room = client.right;
    if (m.room == Room::Check) room -= GetSystemMetricsForDpi(SM_CXMENUCHECK, dpi) + zero.cx / 2;
    if (m.room == Room::Push) room -= 2 * MulDiv(3, dpi, 96);  // the edge and the focus frame
    if (m.room == Room::Group) room -= 2 * zero.cx;
    const bool wraps = m.room == Room::Wrapped || (m.room != Room::Line && (style & BS_MULTILINE));
    UINT format = DT_CALCRECT | DT_EXPANDTABS | (wraps ? DT_WORDBREAK : DT_SINGLELINE);
    // An "&" marks the access key, but not in a static that shows it as it is.
    if ((m.room == Room::Line || m.room == Room::Wrapped) && (style & SS_NOPREFIX)) format |= DT_NOPREFIX;
    RECT needed{0, 0, std::max(room, 1), 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed, format);
    return needed.right <= room && (!wraps || needed.bottom <= client.bottom);
}

std::wstring classOf(HWND control) {
    wchar_t name[64] = L"";
    GetClassNameW(control, name, 64);
    return name;
}

void writeLine(FILE* out, const char* verdict, HWND control) {
    fprintf(out, "%s %d ", verdict, GetDlgCtrlID(control));
    fputs(utf8(classOf(control)).c_str(), out);
    fputc(' ', out);
    writeText(out, textOf(control));
}

}  // namespace

int writeFits(HWND window, FILE* out) {
    RECT frame{};
    GetWindowRect(window, &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    fprintf(out, "window %ld %ld %ld %ld work %ld %ld %ld %ld\n", frame.left, frame.top, frame.right, frame.bottom,
            work.left, work.top, work.right, work.bottom);
    RECT client{};
    GetClientRect(window, &client);
    std::vector<Measured> measured;
    auto query = std::make_unique<objects::FontQuery>();
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        RECT box{};
        GetWindowRect(child, &box);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&box), 2);
        if (box.left < 0 || box.top < 0 || box.right > client.right || box.bottom > client.bottom)
            writeLine(out, "outside", child);
        const Room room = roomOf(classOf(child).c_str(), GetWindowLongW(child, GWL_STYLE));
        if (room == Room::None || query->count == objects::kMostControls) continue;
        measured.push_back(Measured{child, room});
        query->controls[query->count++] = child;
    }
    const int described = describeFonts(window, *query);
    HDC dc = CreateCompatibleDC(nullptr);
    for (size_t i = 0; i < measured.size() && described == kFound; ++i) {
        const LOGFONTW& font = query->described[i];
        // A control without a font of its own draws in the system font.
        HFONT made = font.lfHeight != 0 ? CreateFontIndirectW(&font) : nullptr;
        HGDIOBJ old = SelectObject(dc, made ? made : GetStockObject(SYSTEM_FONT));
        if (!textFits(dc, measured[i])) writeLine(out, "cut", measured[i].control);
        SelectObject(dc, old);
        if (made) DeleteObject(made);
    }
    DeleteDC(dc);
    return described;
}

}  // namespace probe
