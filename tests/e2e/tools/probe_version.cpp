// The version information of a program file, as Explorer's Details tab reads it.
#include <cstdint>

#include "probe.h"

namespace probe {

namespace {

std::wstring versionString(std::vector<unsigned char>& block, const wchar_t* translation, const wchar_t* name) {
    const std::wstring path = std::wstring(L"\\StringFileInfo\\") + translation + L"\\" + name;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), path.c_str(), &value, &length) || length == 0) return std::wstring();
    // The length counts the terminating zero, when there is one.
    std::wstring text(static_cast<const wchar_t*>(value), length);
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    return text;
}

std::string dotted(DWORD high, DWORD low) {
    char text[64];
    snprintf(text, sizeof(text), "%lu.%lu.%lu.%lu", static_cast<unsigned long>(HIWORD(high)),
             static_cast<unsigned long>(LOWORD(high)), static_cast<unsigned long>(HIWORD(low)),
             static_cast<unsigned long>(LOWORD(low)));
    return text;
}

}  // namespace

int writeVersion(const wchar_t* programFile, const wchar_t* outputFile) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(programFile, &ignored);
    if (size == 0) return kNotFound;
    std::vector<unsigned char> block(size);
    if (!GetFileVersionInfoW(programFile, 0, size, block.data())) return kUnreadable;

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedLength = 0;
    if (!VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedLength) ||
        fixedLength < sizeof(VS_FIXEDFILEINFO)) {
        return kUnreadable;
    }
    // The strings stand under the first language and code page the file lists.
    struct Translation {
        uint16_t language;
        uint16_t codePage;
    };
    Translation* translations = nullptr;
    UINT translationsLength = 0;
    if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations),
                        &translationsLength) ||
        translationsLength < sizeof(Translation)) {
        return kUnreadable;
    }
    wchar_t translation[16];
    swprintf(translation, 16, L"%04x%04x", translations[0].language, translations[0].codePage);

    FILE* out = _wfopen(outputFile, L"wb");
    if (!out) return kBadUsage;
    fprintf(out, "fixed %s product %s\n", dotted(fixed->dwFileVersionMS, fixed->dwFileVersionLS).c_str(),
            dotted(fixed->dwProductVersionMS, fixed->dwProductVersionLS).c_str());
    for (const wchar_t* name : {L"FileVersion", L"ProductVersion", L"ProductName", L"OriginalFilename"}) {
        fprintf(out, "%s ", utf8(name).c_str());
        writeText(out, versionString(block, translation, name));
    }
    fclose(out);
    return kFound;
}

}  // namespace probe
