#include "platform/message_box.h"

#include <windows.h>

#include <algorithm>

#include "platform/shown_text.h"

namespace {

int textWidth(HDC dc, std::wstring_view text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

// The run cut in its middle until it is no wider than `widest` pixels.
std::wstring fittedRun(HDC dc, std::wstring_view run, int widest) {
    size_t kept = run.size();
    std::wstring fitted(run);
    for (int width = textWidth(dc, fitted); width > widest && kept > 8; width = textWidth(dc, fitted)) {
        kept = std::min(kept - 1, kept * static_cast<size_t>(widest) / static_cast<size_t>(width));
        fitted = cutInMiddle(run, kept);
    }
    return fitted;
}

std::wstring fittedLine(HDC dc, std::wstring_view line, int widest) {
    const std::wstring bounded = cutInMiddle(line, kShownTextLength);
    std::wstring fitted;
    size_t start = 0;
    for (;;) {
        const size_t end = std::min(bounded.find_first_of(L" \t", start), bounded.size());
        fitted += fittedRun(dc, std::wstring_view(bounded).substr(start, end - start), widest);
        if (end == bounded.size()) return fitted;
        fitted += bounded[end];
        start = end + 1;
    }
}

UINT styleOf(const MessageRequest& r) {
    UINT style = MB_SETFOREGROUND;
    switch (r.icon) {
        case MessageIcon::None: break;
        case MessageIcon::Information: style |= MB_ICONINFORMATION; break;
        case MessageIcon::Warning: style |= MB_ICONWARNING; break;
        case MessageIcon::Question: style |= MB_ICONQUESTION; break;
        case MessageIcon::Error: style |= MB_ICONERROR; break;
    }
    switch (r.buttons) {
        case MessageButtons::Ok: style |= MB_OK; break;
        case MessageButtons::OkCancel: style |= MB_OKCANCEL; break;
        case MessageButtons::YesNo: style |= MB_YESNO; break;
        case MessageButtons::YesNoCancel: style |= MB_YESNOCANCEL; break;
    }
    if (r.defaultButton == 2) style |= MB_DEFBUTTON2;
    if (r.defaultButton == 3) style |= MB_DEFBUTTON3;
    return style;
}

}  // namespace

std::wstring fittedBoxText(const std::wstring& text) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    RECT area{};
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) ||
        !SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0))
        return text;
    // The rest of the width is for the icon, the margins and the frame.
    const int widest = (area.right - area.left) * 3 / 4;
    HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    std::wstring fitted;
    size_t start = 0;
    for (;;) {
        const size_t end = std::min(text.find_first_of(L"\r\n", start), text.size());
        fitted += fittedLine(dc, std::wstring_view(text).substr(start, end - start), widest);
        if (end == text.size()) break;
        fitted += text[end];
        start = end + 1;
    }
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    return fitted;
}

MessageAnswer showMessage(const MessageRequest& request) {
    const std::wstring text = fittedBoxText(request.text);
    switch (MessageBoxW(nullptr, text.c_str(), request.caption.c_str(), styleOf(request))) {
        case IDYES: return MessageAnswer::Yes;
        case IDNO: return MessageAnswer::No;
        case IDCANCEL: return MessageAnswer::Cancel;
        default: return MessageAnswer::Ok;
    }
}
