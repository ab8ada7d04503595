#include "platform/environment.h"

#include <windows.h>

namespace {

std::wstring localeText(LCTYPE what) {
    wchar_t name[128] = {};
    int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, what, name, 128);
    return n > 1 ? std::wstring(name, static_cast<size_t>(n - 1)) : std::wstring();
}

std::wstring expandDroppingUnknown(const std::wstring& text) {
    std::wstring result;
    size_t i = 0;
    while (i < text.size()) {
        size_t open = text.find(L'%', i);
        size_t close = open == std::wstring::npos ? std::wstring::npos : text.find(L'%', open + 1);
        if (close == std::wstring::npos) {
            result += text.substr(i);
            break;
        }
        result += text.substr(i, open - i);
        std::wstring value;
        if (close > open + 1 && readEnvironmentVariable(text.substr(open + 1, close - open - 1), value))
            result += value;
        i = close + 1;
    }
    return result;
}

// A folder the system names, with a trailing "\".
std::wstring systemFolder(UINT(WINAPI* ask)(LPWSTR, UINT)) {
    std::wstring folder;
    for (UINT n = ask(nullptr, 0); n > folder.size();) {
        folder.resize(n);
        n = ask(folder.data(), n);
        if (n < folder.size()) folder.resize(n);
    }
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    return folder;
}

bool sameFolder(const std::wstring& a, const std::wstring& b) {
    return !a.empty() && CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

}  // namespace

bool isWindowsFolder(const std::wstring& folder) {
    std::wstring given = folder;
    if (!given.empty() && given.back() != L'\\') given += L'\\';
    return sameFolder(systemFolder(GetWindowsDirectoryW), given) ||
           sameFolder(systemFolder(GetSystemDirectoryW), given);
}

std::wstring expandEnvironment(const std::wstring& text, UnknownVariables unknown) {
    if (text.find(L'%') == std::wstring::npos) return text;
    if (unknown == UnknownVariables::Drop) return expandDroppingUnknown(text);
    std::wstring buffer(text.size() + 256, L'\0');
    for (;;) {
        DWORD n = ExpandEnvironmentStringsW(text.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return text;
        if (n <= buffer.size()) {
            buffer.resize(n - 1);  // n counts the terminator
            return buffer;
        }
        buffer.resize(n);
    }
}

bool readEnvironmentVariable(const std::wstring& name, std::wstring& value) {
    value.clear();
    SetLastError(ERROR_SUCCESS);
    DWORD n = GetEnvironmentVariableW(name.c_str(), nullptr, 0);
    if (n == 0) return GetLastError() != ERROR_ENVVAR_NOT_FOUND;
    std::wstring buffer(n, L'\0');
    n = GetEnvironmentVariableW(name.c_str(), buffer.data(), n);
    buffer.resize(n);
    value = buffer;
    return true;
}

bool setEnvironmentVariable(const std::wstring& name, const std::wstring& value) {
    return SetEnvironmentVariableW(name.c_str(), value.c_str()) != FALSE;
}

std::wstring userLanguageEnglishName() {
    std::wstring name = localeText(LOCALE_SENGLANGUAGE);
    return name.empty() ? std::wstring(L"English") : name;
}

std::wstring userLanguageNativeName() { return localeText(LOCALE_SNATIVELANGNAME); }

uint64_t clockSeconds() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    constexpr uint64_t kStepsPerSecond = 10000000;
    return ((static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime) / kStepsPerSecond;
}
