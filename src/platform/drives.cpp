#include "platform/drives.h"

#include <windows.h>

unsigned driveType(const std::wstring& root) { return GetDriveTypeW(root.c_str()); }

bool volumeIsReadOnly(const std::wstring& root) {
    DWORD flags = 0;
    if (!GetVolumeInformationW(root.c_str(), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0)) return false;
    return (flags & FILE_READ_ONLY_VOLUME) != 0;
}
