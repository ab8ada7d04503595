#include "platform/shell.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include "platform/ui_windows.h"

namespace {

const wchar_t* orNull(const std::wstring& text) {
    return text.empty() ? nullptr : text.c_str();
}

}  // namespace

int shellExecute(const ShellRequest& request) {
    // Shell extensions behind some file types expect a single-threaded apartment;
    // a thread that already has another apartment keeps it and must not be
    // uninitialised by us.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    HWND owner = static_cast<HWND>(windowHandle(request.ownerWindowId));
    HINSTANCE result = ShellExecuteW(owner, orNull(request.verb), request.file.c_str(), orNull(request.parameters),
                                     orNull(request.directory), request.showCommand);
    if (SUCCEEDED(com)) CoUninitialize();
    return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}

bool keyHeld(int virtualKey) {
    return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

void beep() {
    MessageBeep(0);
}
