#include "platform/shown_text.h"

namespace {

constexpr wchar_t kEllipsis = L'\u2026';

bool isLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// `at` moved back off the second half of a surrogate pair, so that a cut there
// leaves the pair whole on one side.
size_t pairSafe(std::wstring_view text, size_t at) {
    return at > 0 && at < text.size() && isLowSurrogate(text[at]) ? at - 1 : at;
}

}  // namespace

std::wstring shownText(std::wstring_view text, size_t length) {
    if (text.size() <= length) return std::wstring(text);
    std::wstring shown(text.substr(0, pairSafe(text, length)));
    shown += kEllipsis;
    return shown;
}

std::wstring cutInMiddle(std::wstring_view text, size_t kept) {
    if (text.size() <= kept) return std::wstring(text);
    const size_t head = pairSafe(text, (kept + 1) / 2);
    const size_t tail = pairSafe(text, text.size() - kept / 2);
    std::wstring cut(text.substr(0, head));
    cut += kEllipsis;
    cut += text.substr(tail);
    return cut;
}
