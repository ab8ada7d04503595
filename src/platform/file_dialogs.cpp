#include "platform/file_dialogs.h"

#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include "platform/system_library.h"
#include "platform/ui_windows.h"

namespace {

// The longest path the system accepts, terminator included.
constexpr DWORD kPathBufferLength = 32768;

// The requesters host shell views and extensions, which expect a
// single-threaded apartment; a thread that already has another one keeps it
// and must not be uninitialised by us.
struct ComApartment {
    HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    ComApartment() = default;
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (SUCCEEDED(result)) CoUninitialize();
    }
};

HWND ownerOf(int windowId) { return static_cast<HWND>(windowHandle(windowId)); }

void cutAtTerminator(std::wstring& text) {
    const size_t end = text.find(L'\0');
    if (end != std::wstring::npos) text.resize(end);
}

struct FolderStart {
    const std::wstring* folder;
    const std::wstring* title;
};

int CALLBACK folderRequesterEvent(HWND requester, UINT message, LPARAM, LPARAM data) {
    if (message != BFFM_INITIALIZED) return 0;
    const FolderStart& start = *reinterpret_cast<const FolderStart*>(data);
    SetWindowTextW(requester, start.title->c_str());
    if (!start.folder->empty())
        SendMessageW(requester, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(start.folder->c_str()));
    return 0;
}

}  // namespace

std::wstring chooseFileToOpen(int ownerWindowId, const std::wstring& title, const std::wstring& filterName,
                              const std::wstring& patterns, const std::wstring& startFolder) {
    ComApartment apartment;
    // Name and patterns each end in a terminator, the list in one more.
    std::wstring filter = filterName + L'\0' + patterns + L'\0' + L'\0';
    std::wstring file(kPathBufferLength, L'\0');
    OPENFILENAMEW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = ownerOf(ownerWindowId);
    request.lpstrFilter = filter.c_str();
    request.nFilterIndex = 1;
    request.lpstrFile = file.data();
    request.nMaxFile = kPathBufferLength;
    request.lpstrInitialDir = startFolder.empty() ? nullptr : startFolder.c_str();
    request.lpstrTitle = title.c_str();
    request.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    static const auto getOpenFileName =
        systemFunction<BOOL(WINAPI*)(OPENFILENAMEW*)>(L"comdlg32.dll", "GetOpenFileNameW");
    if (!getOpenFileName || !getOpenFileName(&request)) return std::wstring();
    cutAtTerminator(file);
    return file;
}

std::wstring chooseFolder(int ownerWindowId, const std::wstring& title, const std::wstring& startFolder) {
    ComApartment apartment;
    FolderStart start{&startFolder, &title};
    BROWSEINFOW request{};
    request.hwndOwner = ownerOf(ownerWindowId);
    request.lpszTitle = title.c_str();
    request.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_EDITBOX;
    request.lpfn = folderRequesterEvent;
    request.lParam = reinterpret_cast<LPARAM>(&start);
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&request);
    if (!chosen) return std::wstring();
    std::wstring folder(kPathBufferLength, L'\0');
    if (!SHGetPathFromIDListEx(chosen, folder.data(), kPathBufferLength, GPFIDL_DEFAULT)) folder.clear();
    CoTaskMemFree(chosen);
    cutAtTerminator(folder);
    return folder;
}
