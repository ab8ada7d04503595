#include "platform/process.h"

#include <windows.h>

#include "platform/files.h"

namespace {

// Where the system would not make the data folder the current directory, it is
// Kivo's all the same (see setCurrentDirectory).
std::wstring inPlaceOfCurrent;

std::wstring withTrailingSlash(std::wstring path) {
    if (path.empty() || path.back() != L'\\') path += L'\\';
    return path;
}

}  // namespace

std::wstring programFilePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return std::wstring();
        if (n < path.size()) {
            path.resize(n);
            return plainPathForm(path);  // started by its long form, it may be given so
        }
        path.resize(path.size() * 2);  // cut off: try a larger buffer
    }
}

std::wstring currentDirectory() {
    if (!inPlaceOfCurrent.empty()) return inPlaceOfCurrent;
    std::wstring dir;
    // Asked again while the answer is the size needed: it may change in between.
    for (DWORD n = GetCurrentDirectoryW(0, nullptr); n > dir.size();) {
        dir.resize(n);
        n = GetCurrentDirectoryW(n, dir.data());
        if (n < dir.size()) dir.resize(n);
    }
    return withTrailingSlash(plainPathForm(dir));
}

bool setCurrentDirectory(const std::wstring& folder) {
    if (SetCurrentDirectoryW(folder.c_str())) {
        inPlaceOfCurrent.clear();
        return true;
    }
    // A current directory, its last "\" and terminating zero included, stays
    // below the characters of a plain path unless long paths are enabled.
    const std::wstring full = withTrailingSlash(plainPathForm(fullPathName(folder)));
    if (full.size() + 1 < kPlainPathLimit || !folderExists(full)) return false;
    inPlaceOfCurrent = full;
    return true;
}

const std::wstring& folderInPlaceOfCurrent() { return inPlaceOfCurrent; }

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
