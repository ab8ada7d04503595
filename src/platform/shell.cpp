#include "platform/shell.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include "platform/desktop_shell.h"
#include "platform/ui_windows.h"

namespace {

const wchar_t* orNull(const std::wstring& text) {
    return text.empty() ? nullptr : text.c_str();
}

// The same call as ShellExecuteW (no error boxes of the shell's own), keeping
// the started process to wait for; a document opened in a running program or a
// console program has nothing to wait for.
HINSTANCE executeAndWait(HWND owner, const ShellRequest& request) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOCLOSEPROCESS;
    info.hwnd = owner;
    info.lpVerb = orNull(request.verb);
    info.lpFile = request.file.c_str();
    info.lpParameters = orNull(request.parameters);
    info.lpDirectory = orNull(request.directory);
    info.nShow = request.showCommand;
    ShellExecuteExW(&info);
    if (info.hProcess) {
        WaitForInputIdle(info.hProcess, request.readyWait);
        CloseHandle(info.hProcess);
    }
    return info.hInstApp;
}

// "runas" asks for administrator rights on purpose; it goes the usual way.
bool asksForElevation(const std::wstring& verb) {
    return CompareStringOrdinal(verb.c_str(), -1, L"runas", -1, TRUE) == CSTR_EQUAL;
}

// A success answer of ShellExecute is any number above 32.
constexpr int kAcceptedByDesktopShell = 33;

}  // namespace

int shellExecute(const ShellRequest& request) {
    // Shell extensions behind some file types expect a single-threaded apartment;
    // a thread that already has another apartment keeps it and must not be
    // uninitialised by us.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    // Kivo started as administrator starts programs as the desktop's user does.
    // Without a shell to do it (none, or it did not answer) they start the
    // usual way, as before. Nothing can be waited for then.
    if (!asksForElevation(request.verb) && elevatedAboveDesktopShell() && shellExecuteThroughDesktop(request)) {
        if (SUCCEEDED(com)) CoUninitialize();
        return kAcceptedByDesktopShell;
    }
    HWND owner = static_cast<HWND>(windowHandle(request.ownerWindowId));
    HINSTANCE result = request.readyWait > 0
                           ? executeAndWait(owner, request)
                           : ShellExecuteW(owner, orNull(request.verb), request.file.c_str(),
                                           orNull(request.parameters), orNull(request.directory), request.showCommand);
    if (SUCCEEDED(com)) CoUninitialize();
    return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}

bool keyHeld(int virtualKey) {
    return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

void beep() {
    MessageBeep(0);
}

void questionBeep() {
    MessageBeep(MB_ICONQUESTION);
}
