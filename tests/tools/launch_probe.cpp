// Started by launch tests in place of a real program: appends to the file named
// by KIVO_PROBE_LOG what it was started with, as three UTF-8 lines, and exits:
//   its command line
//   its current directory
//   the show command it was given, or -1 when none
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::wstring environmentVariable(const wchar_t* name) {
    DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) return std::wstring();
    std::wstring value(size, L'\0');
    DWORD length = GetEnvironmentVariableW(name, value.data(), size);
    value.resize(length < size ? length : 0);
    return value;
}

std::wstring currentDirectory() {
    DWORD size = GetCurrentDirectoryW(0, nullptr);
    std::wstring folder(size, L'\0');
    DWORD length = GetCurrentDirectoryW(size, folder.data());
    folder.resize(length < size ? length : 0);
    return folder;
}

int showCommand() {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    GetStartupInfoW(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
}

std::string utf8(const std::wstring& text) {
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
    return bytes;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const std::wstring log = environmentVariable(L"KIVO_PROBE_LOG");
    if (log.empty()) return 2;
    // One write for the whole record, so that a reader never sees half of one
    // line followed by another probe's.
    const std::string record = utf8(GetCommandLineW()) + "\n" + utf8(currentDirectory()) + "\n" +
                               std::to_string(showCommand()) + "\n";
    FILE* out = _wfopen(log.c_str(), L"ab");
    if (!out) return 1;
    const bool written = fwrite(record.data(), 1, record.size(), out) == record.size();
    return fclose(out) == 0 && written ? 0 : 1;
}
