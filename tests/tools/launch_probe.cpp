// Started by launch tests in place of a real program: appends to the file named
// by KIVO_PROBE_LOG what it was started with, as three UTF-8 lines, and exits:
//   its command line
//   its current directory
//   the show command it was given, or -1 when none
// Started by another program than the test's Kivo (the desktop's shell, which
// does not have the test's environment), it logs to "<its own path>.log".
// With "--rights" among its parameters a fourth line follows: "elevated" or
// "not elevated", the rights it was started with.
// With "--window" among its parameters it then behaves like a program with a
// main window: "Kivo probe window", magenta, over the whole work area, shown
// with the show command it was given; it goes when closed, at the latest after
// a minute.
#include <windows.h>

#include <cstdio>
#include <cwchar>
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

std::wstring ownPath() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::wstring(path, length < MAX_PATH ? length : 0);
}

std::string rights() {
    HANDLE token = nullptr;
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return "unknown";
    const BOOL known = GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size);
    CloseHandle(token);
    if (!known) return "unknown";
    return elevation.TokenIsElevated ? "elevated" : "not elevated";
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

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY || message == WM_TIMER) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

int showWindowUntilClosed(HINSTANCE instance, int show) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = CreateSolidBrush(RGB(255, 0, 255));
    windowClass.lpszClassName = L"KivoProbeWindow";
    if (!RegisterClassW(&windowClass)) return 1;
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Kivo probe window", WS_POPUP | WS_CAPTION,
                                  area.left, area.top, area.right - area.left, area.bottom - area.top, nullptr,
                                  nullptr, instance, nullptr);
    if (!window) return 1;
    SetTimer(window, 1, 60000, nullptr);
    ShowWindow(window, show);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR parameters, int show) {
    std::wstring log = environmentVariable(L"KIVO_PROBE_LOG");
    if (log.empty()) log = ownPath() + L".log";
    // One write for the whole record, so that a reader never sees half of one
    // line followed by another probe's.
    std::string record = utf8(GetCommandLineW()) + "\n" + utf8(currentDirectory()) + "\n" +
                         std::to_string(showCommand()) + "\n";
    if (parameters && wcsstr(parameters, L"--rights")) record += rights() + "\n";
    FILE* out = _wfopen(log.c_str(), L"ab");
    if (!out) return 1;
    const bool written = fwrite(record.data(), 1, record.size(), out) == record.size();
    if (fclose(out) != 0 || !written) return 1;
    if (parameters && wcsstr(parameters, L"--window")) return showWindowUntilClosed(instance, show);
    return 0;
}
