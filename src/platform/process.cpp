#include "platform/process.h"

#include <windows.h>

std::wstring programFilePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return std::wstring();
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);  // cut off: try a larger buffer
    }
}

std::wstring currentDirectory() {
    DWORD n = GetCurrentDirectoryW(0, nullptr);
    std::wstring dir(n, L'\0');
    n = GetCurrentDirectoryW(n, dir.data());
    dir.resize(n);
    if (dir.empty() || dir.back() != L'\\') dir += L'\\';
    return dir;
}

bool setCurrentDirectory(const std::wstring& folder) { return SetCurrentDirectoryW(folder.c_str()) != FALSE; }

bool processRunning(uint32_t processId) { return processRunningSince(processId, UINT64_MAX); }

bool processRunningSince(uint32_t processId, uint64_t time) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    // A process that exists but may not be looked at is running all the same.
    if (!process) return GetLastError() == ERROR_ACCESS_DENIED;
    DWORD code = 0;
    bool running = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    FILETIME created{}, exited{}, kernel{}, user{};
    // When its start cannot be read, it may have been there in time.
    if (running && GetProcessTimes(process, &created, &exited, &kernel, &user))
        running = ((static_cast<uint64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime) <= time;
    CloseHandle(process);
    return running;
}

uint32_t currentProcessId() { return GetCurrentProcessId(); }
