#include "support/icon_pixels.h"

#include <windows.h>

#include <vector>

namespace {

// The two bitmaps GetIconInfo hands out belong to the caller.
struct IconBitmaps {
    ICONINFO info{};
    bool valid = false;
    explicit IconBitmaps(void* icon) : valid(icon != nullptr && GetIconInfo(static_cast<HICON>(icon), &info)) {}
    IconBitmaps(const IconBitmaps&) = delete;
    IconBitmaps& operator=(const IconBitmaps&) = delete;
    ~IconBitmaps() {
        if (info.hbmColor) DeleteObject(info.hbmColor);
        if (info.hbmMask) DeleteObject(info.hbmMask);
    }
};

}  // namespace

RgbColour iconCentreColour(void* icon) {
    IconBitmaps bitmaps(icon);
    if (!bitmaps.valid || bitmaps.info.hbmColor == nullptr) return {};
    BITMAP bm{};
    if (GetObjectW(bitmaps.info.hbmColor, sizeof bm, &bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight <= 0) return {};

    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = bm.bmWidth;
    bi.bmiHeader.biHeight = -bm.bmHeight;  // top-down rows
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    std::vector<unsigned char> pixels(static_cast<size_t>(bm.bmWidth) * bm.bmHeight * 4);
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmaps.info.hbmColor, 0, static_cast<UINT>(bm.bmHeight), pixels.data(), &bi,
                               DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != bm.bmHeight) return {};

    const size_t at = (static_cast<size_t>(bm.bmHeight / 2) * bm.bmWidth + bm.bmWidth / 2) * 4;
    return {pixels[at + 2], pixels[at + 1], pixels[at]};
}

int iconWidth(void* icon) {
    IconBitmaps bitmaps(icon);
    if (!bitmaps.valid) return 0;
    BITMAP bm{};
    // A monochrome icon has no colour image; its mask carries the width.
    HBITMAP image = bitmaps.info.hbmColor ? bitmaps.info.hbmColor : bitmaps.info.hbmMask;
    if (GetObjectW(image, sizeof bm, &bm) == 0) return 0;
    return bm.bmWidth;
}
