// Kills programs in the middle of saving a file, with TerminateProcess as a
// crash or the task manager would, and checks after every kill that the file
// holds exactly its old or its new content.
//   save_killer writers <save_writer.exe> <data folder> <kills per file> <report>
//                       <settings A> <settings B> <category A> <category B>
//        kills save_writer.exe while it saves Kivo.ini and, at the same time in a
//        second writer, Big.kvl of the data folder, each that many times, at
//        random moments spread over a whole save (see save_writer.cpp)
//   save_killer kivo <kivo.exe> <data folder> <kills> <report> <Kivo.ini before>
//        starts kivo.exe, asks it to exit and kills it while it writes Kivo.ini;
//        once first without a kill, for the new content and the time a save takes
//        (see save_killer_kivo.cpp)
// The report gets a line of counts per file (for kivo.exe, A is the content
// before the exit and B the one a run without a kill writes). Exit code: 0 when every file was
// whole, 1 when not, 2 for bad usage, 3 when something could not be run.
#include "save_killer.h"

#include <cwchar>

#include "platform/files.h"

namespace killer {

std::string readBytes(const std::wstring& path) {
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file, &size)) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD got = 0;
        if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr)) got = 0;
        bytes.resize(got);
    }
    CloseHandle(file);
    return bytes;
}

bool writeBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    return CloseHandle(file) && ok;
}

std::vector<std::wstring> newFiles(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*.new").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

std::wstring tempNameOf(const std::wstring& target, DWORD processId) { return siblingTempName(target, processId); }

namespace {

uint64_t number(const FILETIME& time) {
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

}  // namespace

bool writtenSince(const std::wstring& path, uint64_t since) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return false;
    return number(data.ftLastWriteTime) >= since;
}

uint64_t creationTime(HANDLE process) {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
    return number(created);
}

StartFailures startFailures;

bool startProcess(const std::wstring& commandLine, const std::wstring& folder, PROCESS_INFORMATION& started) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    // A start that fails is no kill: it is tried again, and the report tells.
    for (int attempt = 0; attempt < 5; ++attempt) {
        std::wstring line = commandLine;  // CreateProcessW may write into it
        started = PROCESS_INFORMATION{};
        if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, folder.c_str(),
                           &startup, &started))
            return true;
        startFailures.error = GetLastError();
        ++startFailures.count;
        Sleep(50);
    }
    return false;
}

bool killAndWait(const PROCESS_INFORMATION& process) {
    TerminateProcess(process.hProcess, 99);
    return WaitForSingleObject(process.hProcess, 20000) == WAIT_OBJECT_0;
}

void closeProcess(PROCESS_INFORMATION& process) {
    if (process.hThread) CloseHandle(process.hThread);
    if (process.hProcess) CloseHandle(process.hProcess);
    process = PROCESS_INFORMATION{};
}

int64_t nowMicros() {
    static const int64_t frequency = [] {
        LARGE_INTEGER f{};
        QueryPerformanceFrequency(&f);
        return static_cast<int64_t>(f.QuadPart);
    }();
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return now.QuadPart / frequency * 1000000 + now.QuadPart % frequency * 1000000 / frequency;
}

void waitMicros(int64_t micros) {
    const int64_t end = nowMicros() + micros;
    if (micros > 2000) Sleep(static_cast<DWORD>((micros - 2000) / 1000));
    while (nowMicros() < end) YieldProcessor();
}

namespace {

size_t commonPrefix(const std::string& a, const std::string& b) {
    size_t n = 0;
    while (n < a.size() && n < b.size() && a[n] == b[n]) ++n;
    return n;
}

}  // namespace

void judge(Outcomes& counts, const std::string& found, const std::string contents[2], int expectOld, int expectNew,
           const std::wstring& badCopy, FILE* log) {
    ++counts.kills;
    const int which = found == contents[0] ? 0 : found == contents[1] ? 1 : -1;
    if (which >= 0 && which == expectNew) {
        ++counts.fresh;
    } else if (which >= 0 && which == expectOld) {
        ++(expectNew < 0 ? counts.idle : counts.old);
    } else {
        ++counts.bad;
        writeBytes(badCopy, found);
        fwprintf(log, L"BAD %ls: %zu bytes (A %zu, B %zu), same as A for %zu, as B for %zu; expected %d or %d\n",
                 badCopy.c_str(), found.size(), contents[0].size(), contents[1].size(), commonPrefix(found, contents[0]),
                 commonPrefix(found, contents[1]), expectOld, expectNew);
        return;
    }
    ++(which == 0 ? counts.a : counts.b);
}

void printOutcomes(FILE* out, const wchar_t* file, const Outcomes& c) {
    // Killed before the new file was made, while it was there, after it took the old file's place.
    fwprintf(out, L"file %ls kills %d A %d B %d old %d new %d idle %d temp-left %d before-new-file %d reused-name %d bad %d\n",
             file, c.kills, c.a, c.b, c.old, c.fresh, c.idle, c.tempLeft, c.old + c.idle - c.tempLeft, c.reusedName, c.bad);
}

}  // namespace killer

int wmain(int argc, wchar_t** argv) {
    // The report is the fifth argument in both ways.
    if (argc < 6) return 2;
    const std::wstring way = argv[1];
    FILE* report = _wfopen(argv[5], L"w");
    if (!report) return 3;
    int result = 2;
    if (way == L"writers") result = killWriters(argv + 2, argc - 2, report);
    if (way == L"kivo") result = killKivo(argv + 2, argc - 2, report);
    if (killer::startFailures.count > 0)
        fwprintf(report, L"failed starts %ld, the last with error %lu\n", static_cast<long>(killer::startFailures.count),
                 static_cast<unsigned long>(killer::startFailures.error));
    fclose(report);
    return result;
}
