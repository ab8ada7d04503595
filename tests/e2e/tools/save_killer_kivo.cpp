// Kills kivo.exe while it writes Kivo.ini at its exit. Each run starts from the
// same settings file, which the exit always changes: the file must then hold
// that content or the one a run without a kill leaves. Each start must also have
// removed the new files that the kills before it left behind, and the last
// start those of a process whose id was given again.
#include "save_killer.h"

namespace {

using namespace killer;

constexpr UINT kInstanceMessage = 0x401;  // what a second instance posts
constexpr WPARAM kCommandExit = 65;

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK matchLauncher(HWND window, LPARAM param) {
    Search* search = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t title[16] = L"";
    GetWindowTextW(window, title, 16);
    if (owner != search->processId || !IsWindowVisible(window) || std::wstring(title) != L"Kivo ") return TRUE;
    search->found = window;
    return FALSE;
}

// The launcher window, once start-up is over; null when it does not come.
HWND waitLauncher(const PROCESS_INFORMATION& kivo) {
    for (int i = 0; i < 300; ++i) {
        Search search{kivo.dwProcessId, nullptr};
        EnumWindows(matchLauncher, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        if (WaitForSingleObject(kivo.hProcess, 100) == WAIT_OBJECT_0) return nullptr;
    }
    return nullptr;
}

bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

struct Run {
    std::wstring kivo;
    std::wstring folder;
    std::wstring target;
    std::string contents[2];  // as the run starts, and as a run without a kill ends
    int64_t untilTemp = 0;    // from the exit request to the new file, in a run without a kill
    int64_t tempLife = 0;     // how long the new file was there
    Outcomes counts;
    int survivedStart = 0;  // new files a start left in place
    int endedFirst = 0;     // the program was through before the kill came
    std::mt19937_64 random;
    FILE* report = nullptr;
};

// Starts kivo.exe and waits for its launcher; the new files of earlier kills
// must be gone by then.
bool startKivo(Run& run, PROCESS_INFORMATION& kivo, HWND& launcher) {
    const std::vector<std::wstring> before = newFiles(run.folder);
    if (!startProcess(L"\"" + run.kivo + L"\"", run.folder, kivo)) {
        fwprintf(run.report, L"PROBLEM kivo.exe could not be started\n");
        return false;
    }
    launcher = waitLauncher(kivo);
    if (!launcher) {
        fwprintf(run.report, L"PROBLEM no launcher window\n");
        killAndWait(kivo);
        closeProcess(kivo);
        return false;
    }
    for (const std::wstring& name : before) {
        if (!exists(run.folder + L"\\" + name)) continue;
        ++run.survivedStart;
        fwprintf(run.report, L"SURVIVED %ls, started as process %lu\n", name.c_str(), kivo.dwProcessId);
    }
    return true;
}

bool cleanRun(Run& run) {
    PROCESS_INFORMATION kivo{};
    HWND launcher = nullptr;
    if (!writeBytes(run.target, run.contents[0]) || !startKivo(run, kivo, launcher)) return false;
    const std::wstring temp = tempNameOf(run.target, kivo.dwProcessId);
    const int64_t asked = nowMicros();
    PostMessageW(launcher, kInstanceMessage, kCommandExit, 0);
    int64_t seen = 0;
    int64_t gone = 0;
    while (WaitForSingleObject(kivo.hProcess, 0) != WAIT_OBJECT_0) {
        const bool there = exists(temp);
        if (there && !seen) seen = nowMicros();
        if (!there && seen && !gone) gone = nowMicros();
        if (nowMicros() - asked > 20000000) break;
    }
    const bool ended = WaitForSingleObject(kivo.hProcess, 0) == WAIT_OBJECT_0;
    if (!ended) killAndWait(kivo);
    closeProcess(kivo);
    run.contents[1] = readBytes(run.target);
    if (!ended || run.contents[1].empty() || run.contents[1] == run.contents[0]) {
        fwprintf(run.report, L"PROBLEM a run without a kill did not write Kivo.ini\n");
        return false;
    }
    if (seen) {
        run.untilTemp = seen - asked;
        run.tempLife = (gone ? gone : nowMicros()) - seen;
    } else {
        run.untilTemp = nowMicros() - asked;  // too quick to be seen: kill anywhere in the exit
    }
    fwprintf(run.report, L"save at exit: the new file after %lld us, there for %lld us\n",
             static_cast<long long>(run.untilTemp), static_cast<long long>(run.tempLife));
    return true;
}

// One kill in three comes anywhere between the exit request and the new file,
// the others while the new file is there or a little after it took the old
// file's place.
bool killOnce(Run& run, int number) {
    PROCESS_INFORMATION kivo{};
    HWND launcher = nullptr;
    if (!writeBytes(run.target, run.contents[0]) || !startKivo(run, kivo, launcher)) return false;
    const std::wstring temp = tempNameOf(run.target, kivo.dwProcessId);
    PostMessageW(launcher, kInstanceMessage, kCommandExit, 0);
    if (number % 3 == 0) {
        waitMicros(static_cast<int64_t>(run.random() % static_cast<uint64_t>(run.untilTemp + 1)));
    } else {
        const uint64_t created = creationTime(kivo.hProcess);
        const int64_t deadline = nowMicros() + 10000000;
        while (!writtenSince(temp, created) && WaitForSingleObject(kivo.hProcess, 0) != WAIT_OBJECT_0 &&
               nowMicros() < deadline)
            YieldProcessor();
        waitMicros(static_cast<int64_t>(run.random() % static_cast<uint64_t>(run.tempLife * 2 + 1)));
    }
    if (WaitForSingleObject(kivo.hProcess, 0) == WAIT_OBJECT_0) ++run.endedFirst;
    if (!killAndWait(kivo)) {
        fwprintf(run.report, L"PROBLEM kivo.exe outlived TerminateProcess\n");
        closeProcess(kivo);
        return false;
    }
    judge(run.counts, readBytes(run.target), run.contents, 0, 1,
          run.folder + L"\\..\\kivo-kill." + std::to_wstring(number) + L".bad", run.report);
    if (writtenSince(temp, creationTime(kivo.hProcess))) ++run.counts.tempLeft;
    closeProcess(kivo);
    return true;
}

// New files whose writer ended an hour ago and whose id belongs to a running
// process now: this one. Under Wine an id comes back only after a few hundred
// others, so the kills alone seldom show that case.
bool leaveFilesOfReusedId(const Run& run) {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER time{};
    time.LowPart = now.dwLowDateTime;
    time.HighPart = now.dwHighDateTime;
    time.QuadPart -= 36000000000ull;  // an hour
    const FILETIME written{time.LowPart, time.HighPart};
    for (const wchar_t* name : {L"Kivo.ini", L"Big.kvl"}) {
        const std::wstring path = tempNameOf(run.folder + L"\\" + name, GetCurrentProcessId());
        if (!writeBytes(path, "x")) return false;
        HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        const bool set = SetFileTime(file, nullptr, nullptr, &written) != FALSE;
        CloseHandle(file);
        if (!set) return false;
    }
    return true;
}

// A last start after the kills, for the new file the last one left; the program
// then exits on its own.
bool lastRun(Run& run) {
    PROCESS_INFORMATION kivo{};
    HWND launcher = nullptr;
    if (!startKivo(run, kivo, launcher)) return false;
    PostMessageW(launcher, kInstanceMessage, kCommandExit, 0);
    const bool ended = WaitForSingleObject(kivo.hProcess, 20000) == WAIT_OBJECT_0;
    if (!ended) killAndWait(kivo);
    closeProcess(kivo);
    return ended;
}

}  // namespace

int killKivo(wchar_t** args, int count, FILE* report) {
    if (count != 5) return 2;
    Run run;
    run.kivo = args[0];
    run.folder = args[1];
    run.target = run.folder + L"\\Kivo.ini";
    const int kills = _wtoi(args[2]);
    run.contents[0] = readBytes(args[4]);
    run.report = report;
    const uint64_t seed = static_cast<uint64_t>(nowMicros()) ^ GetCurrentProcessId();
    run.random.seed(seed);
    if (kills <= 0 || run.contents[0].empty()) return 2;
    if (!cleanRun(run)) return 3;
    for (int i = 1; i <= kills; ++i)
        if (!killOnce(run, i)) return 3;
    if (!leaveFilesOfReusedId(run)) {
        fwprintf(report, L"PROBLEM the new files of a reused id could not be made\n");
        return 3;
    }
    const bool ended = lastRun(run);
    const int left = static_cast<int>(newFiles(run.folder).size());

    printOutcomes(report, L"Kivo.ini(kivo.exe)", run.counts);
    fwprintf(report, L"kivo ended-before-kill %d survived-start %d left-at-end %d seed %llu\n", run.endedFirst,
             run.survivedStart, left, static_cast<unsigned long long>(seed));
    if (!ended) {
        fwprintf(report, L"PROBLEM the last start did not exit\n");
        return 3;
    }
    return run.counts.bad > 0 || run.survivedStart > 0 || left > 0 ? 1 : 0;
}
