#include "platform/icons.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include "platform/ui_scaling.h"

int iconPixels(IconSize size, int dpi) {
    const int metric = size == IconSize::Large ? SM_CXICON : SM_CXSMICON;
    return dpi == systemDpi() ? GetSystemMetrics(metric) : systemMetricAt(metric, dpi);
}

void* extractFileIcon(const std::wstring& file, int index, int pixels) {
    HICON icon = nullptr;
    // Asking for one size only: the other icon would be made just to be destroyed.
    if (FAILED(SHDefExtractIconW(file.c_str(), index, 0, &icon, nullptr, MAKELONG(pixels, pixels)))) return nullptr;
    return icon;
}

namespace {

void* shellListIcon(const std::wstring& path, bool small) {
    SHFILEINFOW info{};
    const UINT flags = SHGFI_ICON | (small ? SHGFI_SMALLICON : 0);
    if (SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, flags) == 0) return nullptr;
    return info.hIcon;
}

}  // namespace

// The shell keeps its icons at the system's two sizes. Another size (a window
// on a display of another DPI) is taken from the file the shell takes the icon
// from; only an icon that is no file's (drawn by a handler) is stretched.
void* shellIconOf(const std::wstring& path, int pixels) {
    if (pixels == GetSystemMetrics(SM_CXICON)) return shellListIcon(path, false);
    if (pixels == GetSystemMetrics(SM_CXSMICON)) return shellListIcon(path, true);
    SHFILEINFOW info{};
    if (SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, SHGFI_ICONLOCATION) != 0 && info.szDisplayName[0] &&
        info.szDisplayName[0] != L'*') {
        if (void* icon = extractFileIcon(info.szDisplayName, info.iIcon, pixels)) return icon;
    }
    HICON large = static_cast<HICON>(shellListIcon(path, false));
    if (!large) return nullptr;
    HICON sized = static_cast<HICON>(CopyImage(large, IMAGE_ICON, pixels, pixels, 0));
    DestroyIcon(large);
    return sized;
}

int shellIconIndexOf(const std::wstring& path) {
    SHFILEINFOW info{};
    if (SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX) == 0) return -1;
    return info.iIcon;
}

void* programIcon(int pixels) {
    return LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, pixels, pixels, LR_SHARED);
}

void* defaultApplicationIcon(int pixels) {
    // The loaded icon is shared and must never be destroyed; the copy may be.
    if (pixels == GetSystemMetrics(SM_CXICON)) return CopyIcon(LoadIconW(nullptr, IDI_APPLICATION));
    // Loaded at another size without sharing, it is one's own already.
    return LoadImageW(nullptr, IDI_APPLICATION, IMAGE_ICON, pixels, pixels, 0);
}

int fileIconCount(const std::wstring& file) {
    const UINT count = ExtractIconExW(file.c_str(), -1, nullptr, nullptr, 0);
    // The extraction code underneath reports some failures as UINT_MAX, not 0.
    if (count > 0x7FFFFFFFu) return 0;
    return static_cast<int>(count);
}
