#include "platform/icons.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include "platform/text_case.h"
#include "platform/ui_scaling.h"

int iconPixels(IconSize size, int dpi) {
    const int metric = size == IconSize::Large ? SM_CXICON : SM_CXSMICON;
    return dpi == systemDpi() ? GetSystemMetrics(metric) : systemMetricAt(metric, dpi);
}

namespace {

uint32_t littleEndian(std::string_view bytes, size_t at, size_t width) {
    uint32_t value = 0;
    for (size_t i = width; i-- > 0;) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// The shell shows such a file by the icons inside it.
bool shellReadsIconsOf(const std::wstring& path) {
    const std::wstring lower = toLowerCase(path);
    return lower.size() > 4 && (lower.ends_with(L".ico") || lower.ends_with(L".cur"));
}

// How many bytes at the file's start its icon directory takes; 0 for a file
// that the system does not take for an icon (1) or cursor (2) file, which it
// tells by the second word alone, whatever the name, unless it starts as a
// program does.
size_t iconDirectoryLength(std::string_view head) {
    if (head.size() < 4 || head.starts_with("MZ")) return 0;
    const uint32_t type = littleEndian(head, 2, 2);
    if (type != 1 && type != 2) return 0;
    return 6 + 16 * (head.size() < 6 ? 0 : littleEndian(head, 4, 2));
}

}  // namespace

bool iconDirectorySound(std::string_view head, uint64_t fileSize) {
    const size_t directoryEnd = iconDirectoryLength(head);
    if (directoryEnd == 0) return true;
    if (littleEndian(head, 0, 2) != 0 || directoryEnd == 6 || directoryEnd > head.size() || directoryEnd > fileSize)
        return false;
    for (size_t entry = 6; entry < directoryEnd; entry += 16) {
        const uint64_t size = littleEndian(head, entry + 8, 4);
        const uint64_t offset = littleEndian(head, entry + 12, 4);
        // Each image opens with a 40-byte bitmap header, or a PNG signature and header as long.
        if (size < 40 || offset < directoryEnd || offset + size > fileSize) return false;
    }
    return true;
}

bool iconFileSound(const std::wstring& file) {
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return true;
    LARGE_INTEGER size{};
    std::string head(6, '\0');
    DWORD got = 0;
    bool read = GetFileSizeEx(handle, &size) && ReadFile(handle, head.data(), 6, &got, nullptr);
    head.resize(got);
    const size_t directoryEnd = iconDirectoryLength(head);
    if (read && head.size() == 6 && directoryEnd > 6) {
        head.resize(directoryEnd);
        read = ReadFile(handle, head.data() + 6, static_cast<DWORD>(directoryEnd - 6), &got, nullptr);
        head.resize(6 + got);
    }
    CloseHandle(handle);
    return !read || iconDirectorySound(head, static_cast<uint64_t>(size.QuadPart));
}

void* extractFileIcon(const std::wstring& file, int index, int pixels) {
    if (!iconFileSound(file)) return nullptr;
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
    if (shellReadsIconsOf(path) && !iconFileSound(path)) return nullptr;
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
    if (shellReadsIconsOf(path) && !iconFileSound(path)) return -1;
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
    if (!iconFileSound(file)) return 0;
    const UINT count = ExtractIconExW(file.c_str(), -1, nullptr, nullptr, 0);
    // The extraction code underneath reports some failures as UINT_MAX, not 0.
    if (count > 0x7FFFFFFFu) return 0;
    return static_cast<int>(count);
}
