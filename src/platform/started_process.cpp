#include "platform/started_process.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

namespace {

constexpr DWORD kEndWait = 2000;

}  // namespace

void closeProcessHandle(void* process) { CloseHandle(static_cast<HANDLE>(process)); }

ProcessHandle openDocument(const std::wstring& file, const std::wstring& folder) {
    // As for any shell call: shell extensions expect a single-threaded apartment.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOCLOSEPROCESS;
    info.lpVerb = L"open";
    info.lpFile = file.c_str();
    info.lpDirectory = folder.empty() ? nullptr : folder.c_str();
    info.nShow = SW_SHOWNORMAL;
    const bool started = ShellExecuteExW(&info) != FALSE;
    if (SUCCEEDED(com)) CoUninitialize();
    return ProcessHandle(started ? info.hProcess : nullptr);
}

bool processStillRunning(const ProcessHandle& process) {
    return process && WaitForSingleObject(static_cast<HANDLE>(process.handle), 0) == WAIT_TIMEOUT;
}

void terminateProcess(const ProcessHandle& process) {
    if (!process) return;
    HANDLE handle = static_cast<HANDLE>(process.handle);
    if (TerminateProcess(handle, 0)) WaitForSingleObject(handle, kEndWait);
}
