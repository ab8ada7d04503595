#include "platform/desktop_shell.h"

#include <windows.h>
#include <exdisp.h>
#include <oleauto.h>
#include <servprov.h>
#include <shldisp.h>
#include <shlobj.h>

#include "platform/com_ref.h"
#include "platform/system_library.h"

namespace {

BSTR allocateString(const std::wstring& text) {
    static const auto allocate = systemFunction<BSTR(WINAPI*)(const OLECHAR*, UINT)>(L"oleaut32.dll", "SysAllocStringLen");
    return allocate ? allocate(text.data(), static_cast<UINT>(text.size())) : nullptr;
}

void freeString(BSTR text) {
    static const auto release = systemFunction<void(WINAPI*)(BSTR)>(L"oleaut32.dll", "SysFreeString");
    if (release && text) release(text);
}

// An empty VARIANT: what VariantInit makes.
VARIANT emptyVariant() {
    VARIANT value{};
    value.vt = VT_EMPTY;
    return value;
}

// A VARIANT holding a string, or empty for an empty text.
struct TextVariant {
    VARIANT value = emptyVariant();
    explicit TextVariant(const std::wstring& text) {
        if (text.empty()) return;
        value.vt = VT_BSTR;
        value.bstrVal = allocateString(text);
    }
    TextVariant(const TextVariant&) = delete;
    TextVariant& operator=(const TextVariant&) = delete;
    ~TextVariant() {
        if (value.vt == VT_BSTR) freeString(value.bstrVal);
    }
};

// 1 elevated, 0 not, -1 cannot be told.
int processElevation(HANDLE process) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token)) return -1;
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    const BOOL known = GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size);
    CloseHandle(token);
    return known ? (elevation.TokenIsElevated ? 1 : 0) : -1;
}

// The process of the desktop's shell. Wine's desktop sets no shell window;
// its desktop window belongs to its shell. On Windows without Explorer the
// desktop window belongs to a process that cannot be opened.
int desktopShellElevation() {
    HWND shell = GetShellWindow();
    if (!shell) shell = GetDesktopWindow();
    DWORD processId = 0;
    GetWindowThreadProcessId(shell, &processId);
    if (processId == 0 || processId == GetCurrentProcessId()) return -1;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process) return -1;
    const int elevation = processElevation(process);
    CloseHandle(process);
    return elevation;
}

// The desktop's folder view gives the shell's automation object, whose
// ShellExecute runs in the shell's process.
bool desktopShellDispatch(ComRef<IShellDispatch2>& shell) {
    ComRef<IShellWindows> windows;
    if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows, windows.out())))
        return false;
    VARIANT desktop = emptyVariant();
    desktop.vt = VT_I4;
    desktop.lVal = CSIDL_DESKTOP;
    VARIANT none = emptyVariant();
    long window = 0;
    ComRef<IDispatch> found;
    if (windows->FindWindowSW(&desktop, &none, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH,
                              reinterpret_cast<IDispatch**>(found.out())) != S_OK ||
        !found.ptr)
        return false;
    ComRef<IServiceProvider> services;
    ComRef<IShellBrowser> browser;
    ComRef<IShellView> view;
    ComRef<IDispatch> background;
    ComRef<IShellFolderViewDual> folderView;
    ComRef<IDispatch> application;
    return SUCCEEDED(found->QueryInterface(IID_IServiceProvider, services.out())) &&
           SUCCEEDED(services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.out())) &&
           SUCCEEDED(browser->QueryActiveShellView(reinterpret_cast<IShellView**>(view.out()))) &&
           SUCCEEDED(view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.out())) &&
           SUCCEEDED(background->QueryInterface(IID_IShellFolderViewDual, folderView.out())) &&
           SUCCEEDED(folderView->get_Application(reinterpret_cast<IDispatch**>(application.out()))) &&
           SUCCEEDED(application->QueryInterface(IID_IShellDispatch2, shell.out()));
}

}  // namespace

bool elevatedAboveDesktopShell() {
    return processElevation(GetCurrentProcess()) == 1 && desktopShellElevation() == 0;
}

bool shellExecuteThroughDesktop(const ShellRequest& request) {
    ComRef<IShellDispatch2> shell;
    if (!desktopShellDispatch(shell)) return false;
    BSTR file = allocateString(request.file);
    TextVariant parameters(request.parameters);
    TextVariant directory(request.directory);
    TextVariant verb(request.verb);
    VARIANT show = emptyVariant();
    show.vt = VT_I4;
    show.lVal = request.showCommand;
    const HRESULT result = shell->ShellExecute(file, parameters.value, directory.value, verb.value, show);
    freeString(file);
    return SUCCEEDED(result);
}
