#include "platform/process.h"

#include <windows.h>

std::wstring currentDirectory() {
    DWORD n = GetCurrentDirectoryW(0, nullptr);
    std::wstring dir(n, L'\0');
    n = GetCurrentDirectoryW(n, dir.data());
    dir.resize(n);
    if (dir.empty() || dir.back() != L'\\') dir += L'\\';
    return dir;
}
