// Display scaling as a window sees it. Wine gives every display the one DPI of
// its settings and never tells a window that it went to a display of another
// DPI, as Windows does when it is moved to another monitor: the probe tells it
// so itself, with the message Windows sends.
#include "probe.h"

namespace probe {

int writeDpi(HWND window, FILE* out) {
    fprintf(out, "window %u system %u\n", GetDpiForWindow(window), GetDpiForSystem());
    return kFound;
}

int sendDpiChange(HWND window, int dpi) {
    RECT suggested{};
    GetWindowRect(window, &suggested);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
    if (!process) return kUnreadable;
    // The suggested rectangle travels as a pointer: it must lie in the
    // window's process. It keeps the window's corner.
    void* remote = VirtualAllocEx(process, nullptr, sizeof suggested, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    SIZE_T written = 0;
    int result = kUnreadable;
    DWORD_PTR answer = 0;
    if (remote && WriteProcessMemory(process, remote, &suggested, sizeof suggested, &written) &&
        written == sizeof suggested &&
        SendMessageTimeoutW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(remote),
                            SMTO_ABORTIFHUNG, 5000, &answer))
        result = kFound;
    if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return result;
}

int changeDisplaySize(const wchar_t* width, const wchar_t* height) {
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = static_cast<DWORD>(_wtoi(width));
    mode.dmPelsHeight = static_cast<DWORD>(_wtoi(height));
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    return ChangeDisplaySettingsExW(nullptr, &mode, nullptr, 0, nullptr) == DISP_CHANGE_SUCCESSFUL ? kFound
                                                                                                   : kUnreadable;
}

}  // namespace probe
