#include "platform/environment.h"

#include <windows.h>

std::wstring expandEnvironment(const std::wstring& text) {
    if (text.find(L'%') == std::wstring::npos) return text;
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

std::wstring userLanguageEnglishName() {
    wchar_t name[128] = {};
    int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SENGLANGUAGE, name, 128);
    return n > 1 ? std::wstring(name, static_cast<size_t>(n - 1)) : std::wstring(L"English");
}
