#include "launcher/launcher_layout.h"

#include <algorithm>


namespace {

constexpr int kGlyphWidth = 13;
constexpr int kMinimumSpacing = 65;

// Leading blanks skipped, then the digits up to the first other character.
int leadingNumber(const std::wstring& field) {
    size_t at = field.find_first_not_of(L' ');
    int value = 0;
    for (; at != std::wstring::npos && at < field.size() && field[at] >= L'0' && field[at] <= L'9'; ++at) {
        if (value < 100000) value = value * 10 + (field[at] - L'0');
    }
    return value;
}

}  // namespace

StripLayout computeStripLayout(int width, bool titleBar, bool leftAligned) {
    StripLayout layout;
    layout.titleWidth = width - 41;
    layout.titleX = 0;
    layout.closeWidth = kGlyphWidth;
    if (width > 200) {
        layout.titleWidth -= 26;
        layout.titleX = 26;
    }
    layout.arrowsX = layout.titleX + layout.titleWidth;
    if (titleBar) {
        layout.titleWidth += kGlyphWidth;
        layout.arrowsX += kGlyphWidth;
        layout.closeWidth = 0;
    }
    layout.closeX = layout.arrowsX + 2 * kGlyphWidth;
    if (leftAligned) {
        layout.titleX = 26;
        layout.arrowsX = 0;
    }
    return layout;
}

int decideLeftAligned(int current, bool centered, bool autoAlign, int x, int width, int workAreaRight) {
    if (centered) return 0;
    if (!autoAlign) return current;
    const int half = workAreaRight / 2;
    if (x + width < half) return 1;
    if (x >= half) return 0;
    return current;
}

bool parseIconSpacing(const std::wstring& text, int& horizontal, int& vertical) {
    if (text.empty()) return false;
    const size_t comma = text.find(L',');
    const std::wstring first = text.substr(0, comma);
    std::wstring second;
    if (comma != std::wstring::npos) second = text.substr(comma + 1, text.find(L',', comma + 1) - comma - 1);
    horizontal = std::max(leadingNumber(first), kMinimumSpacing);
    vertical = std::max(leadingNumber(second), kMinimumSpacing);
    return true;
}
