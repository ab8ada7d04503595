#include "platform/drives.h"

#include <windows.h>

unsigned driveType(const std::wstring& root) { return GetDriveTypeW(root.c_str()); }

bool volumeIsReadOnly(const std::wstring& root) {
    DWORD flags = 0;
    if (!GetVolumeInformationW(root.c_str(), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0)) return false;
    return (flags & FILE_READ_ONLY_VOLUME) != 0;
}

bool mayWaitToAnswer(const std::wstring& path) {
    if (path.size() >= 2 && (path[0] == L'\\' || path[0] == L'/') && (path[1] == L'\\' || path[1] == L'/')) return true;
    if (path.size() < 2 || path[1] != L':') return false;
    const wchar_t root[] = {path[0], L':', L'\\', L'\0'};
    const UINT type = GetDriveTypeW(root);
    return type == DRIVE_REMOTE || type == DRIVE_NO_ROOT_DIR || type == DRIVE_UNKNOWN;
}
