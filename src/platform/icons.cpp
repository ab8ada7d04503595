#include "platform/icons.h"

#include <windows.h>
#include <shellapi.h>

void* extractFileIcon(const std::wstring& file, int index, IconSize size) {
    HICON largeIcon = nullptr;
    HICON smallIcon = nullptr;
    // Asking for one slot only: the other icon would be made just to be destroyed.
    const bool wantLarge = size == IconSize::Large;
    ExtractIconExW(file.c_str(), index, wantLarge ? &largeIcon : nullptr,
                   wantLarge ? nullptr : &smallIcon, 1);
    return wantLarge ? largeIcon : smallIcon;
}

void* shellIconOf(const std::wstring& path, IconSize size) {
    SHFILEINFOW info{};
    UINT flags = SHGFI_ICON;
    if (size == IconSize::Small) flags |= SHGFI_SMALLICON;
    if (SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, flags) == 0) return nullptr;
    return info.hIcon;
}

int shellIconIndexOf(const std::wstring& path, IconSize size) {
    SHFILEINFOW info{};
    UINT flags = SHGFI_SYSICONINDEX;
    if (size == IconSize::Small) flags |= SHGFI_SMALLICON;
    if (SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, flags) == 0) return -1;
    return info.iIcon;
}

void* programIcon(int pixels) {
    return LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, pixels, pixels, LR_SHARED);
}

void* defaultApplicationIcon() {
    // The loaded icon is shared and must never be destroyed; the copy may be.
    return CopyIcon(LoadIconW(nullptr, IDI_APPLICATION));
}

int fileIconCount(const std::wstring& file) {
    const UINT count = ExtractIconExW(file.c_str(), -1, nullptr, nullptr, 0);
    // The extraction code underneath reports some failures as UINT_MAX, not 0.
    if (count > 0x7FFFFFFFu) return 0;
    return static_cast<int>(count);
}
