// Kills save_writer.exe at random moments of its saves, one writer for the
// settings file, one for a category file and one for the file of what Find
// learned, all at the same time.
#include <thread>

#include "save_killer.h"
#include "save_progress.h"

namespace {

using namespace killer;

struct Job {
    const wchar_t* kind = L"";  // "settings", "category" or "learned"
    const wchar_t* fileName = L"";
    std::wstring writer;
    std::wstring folder;
    std::wstring target;
    std::wstring report;
    std::string contents[2];
    int kills = 0;
    HANDLE mapping = nullptr;
    SaveProgress* progress = nullptr;
    int64_t cycleMicros = 0;  // how long one save takes, measured in the first run
    std::mt19937_64 random;
    Outcomes counts;
    std::wstring problem;  // what stopped the job before its kills were done
    FILE* log = nullptr;
};

bool openSharedMemory(Job& job, const std::wstring& name) {
    job.mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(SaveProgress),
                                     name.c_str());
    if (!job.mapping) return false;
    job.progress = static_cast<SaveProgress*>(MapViewOfFile(job.mapping, FILE_MAP_WRITE, 0, 0, sizeof(SaveProgress)));
    return job.progress != nullptr;
}

// Waits until the writer has finished that many saves; false when it ended or
// did not get there in time.
bool waitForSaves(const Job& job, const PROCESS_INFORMATION& writer, long saves, int64_t& at) {
    const int64_t deadline = nowMicros() + 30000000;
    while (job.progress->done < saves) {
        if (WaitForSingleObject(writer.hProcess, 0) == WAIT_OBJECT_0 || nowMicros() > deadline) return false;
        YieldProcessor();
    }
    at = nowMicros();
    return true;
}

// Waits until the writer has begun its first save; false when it ended first.
bool waitForFirstSave(Job& job, const PROCESS_INFORMATION& writer) {
    const int64_t deadline = nowMicros() + 30000000;
    while (job.progress->started < 1) {
        if (WaitForSingleObject(writer.hProcess, 0) == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(writer.hProcess, &code);
            job.problem = L"the writer ended with code " + std::to_wstring(code) + L" before its first save";
            return false;
        }
        if (nowMicros() > deadline) {
            job.problem = L"the writer did not begin to save";
            return false;
        }
        Sleep(1);
    }
    return true;
}

bool measureCycle(Job& job, const PROCESS_INFORMATION& writer) {
    constexpr long kMeasured = 5;
    int64_t first = 0;
    int64_t last = 0;
    if (!waitForSaves(job, writer, 1, first) || !waitForSaves(job, writer, 1 + kMeasured, last)) {
        job.problem = L"the writer stopped saving while its saves were timed";
        return false;
    }
    job.cycleMicros = (last - first) / kMeasured;
    return true;
}

// One kill in three comes anywhere in the save under way or the one after it;
// most of a save goes to turning the content into text, though, so the other
// two wait for the new file and come while it is written or soon after it took
// the old file's place.
void waitForKillMoment(Job& job, const PROCESS_INFORMATION& writer, const std::wstring& temp, int number) {
    if (number % 3 == 0) {
        waitMicros(static_cast<int64_t>(job.random() % static_cast<uint64_t>(2 * job.cycleMicros + 1)));
        return;
    }
    const uint64_t created = creationTime(writer.hProcess);
    const int64_t deadline = nowMicros() + 10000000;
    while (!writtenSince(temp, created) && nowMicros() < deadline) YieldProcessor();
    if (nowMicros() >= deadline) job.problem = L"no new file was written beside the file";
    waitMicros(static_cast<int64_t>(job.random() % static_cast<uint64_t>(job.cycleMicros / 2 + 1)));
}

bool killOnce(Job& job, int number) {
    SaveProgress& p = *job.progress;
    InterlockedExchange(&p.initialContent, -1);
    InterlockedExchange(&p.started, 0);
    InterlockedExchange(&p.done, 0);
    InterlockedExchange(&p.failed, 0);
    PROCESS_INFORMATION writer{};
    const std::wstring line = L"\"" + job.writer + L"\" " + job.kind + L" \"" + job.folder + L"\" loop Local\\KivoSaveKill" +
                              job.kind + std::to_wstring(GetCurrentProcessId());
    if (!startProcess(line, job.folder, writer)) {
        job.problem = L"save_writer.exe could not be started";
        return false;
    }
    // The writer needs a good part of a second before its first save: a new
    // file of its name that is there now was left by an earlier process.
    const std::wstring temp = tempNameOf(job.target, writer.dwProcessId);
    if (GetFileAttributesW(temp.c_str()) != INVALID_FILE_ATTRIBUTES) ++job.counts.reusedName;

    bool ok = waitForFirstSave(job, writer) && (job.cycleMicros > 0 || measureCycle(job, writer));
    if (ok) {
        waitForKillMoment(job, writer, temp, number);
        if (!killAndWait(writer)) {
            job.problem = L"the writer outlived TerminateProcess";
            ok = false;
        }
    }
    if (!ok) {
        killAndWait(writer);
        closeProcess(writer);
        return false;
    }
    const long initial = p.initialContent;
    const long started = p.started;
    const long done = p.done;
    if (p.failed != 0) job.problem = L"a save reported failure";
    const int expectOld = static_cast<int>((initial + done) % 2);
    const int expectNew = started > done ? static_cast<int>((initial + started) % 2) : -1;
    judge(job.counts, readBytes(job.target), job.contents, expectOld, expectNew,
          job.report + L"." + job.kind + L"." + std::to_wstring(number) + L".bad", job.log);
    if (writtenSince(temp, creationTime(writer.hProcess))) ++job.counts.tempLeft;
    closeProcess(writer);
    return job.problem.empty();
}

void runJob(Job& job) {
    for (int i = 1; i <= job.kills; ++i)
        if (!killOnce(job, i)) return;
}

}  // namespace

int killWriters(wchar_t** args, int count, FILE* report) {
    constexpr int kJobs = 3;
    if (count != 4 + 2 * kJobs) return 2;
    Job jobs[kJobs];
    jobs[0].kind = L"settings";
    jobs[0].fileName = L"Kivo.ini";
    jobs[1].kind = L"category";
    const std::wstring category = bigCategoryName() + L".kvl";
    jobs[1].fileName = category.c_str();
    jobs[2].kind = L"learned";
    jobs[2].fileName = L"FindLearned.txt";
    const uint64_t seed = static_cast<uint64_t>(nowMicros()) ^ GetCurrentProcessId();
    for (int j = 0; j < kJobs; ++j) {
        Job& job = jobs[j];
        job.writer = args[0];
        job.folder = args[1];
        job.target = job.folder + L"\\" + job.fileName;
        job.kills = _wtoi(args[2]);
        job.report = args[3];
        job.log = report;
        job.contents[0] = readBytes(args[4 + 2 * j]);
        job.contents[1] = readBytes(args[5 + 2 * j]);
        job.random.seed(seed + static_cast<uint64_t>(j));
        if (job.kills <= 0 || job.contents[0].empty() || job.contents[1].empty()) return 2;
        if (!openSharedMemory(job, L"Local\\KivoSaveKill" + std::wstring(job.kind) + std::to_wstring(GetCurrentProcessId())))
            return 3;
    }
    const int64_t began = nowMicros();
    std::thread second(runJob, std::ref(jobs[1]));
    std::thread third(runJob, std::ref(jobs[2]));
    runJob(jobs[0]);
    second.join();
    third.join();

    Outcomes total;
    bool stopped = false;
    for (const Job& job : jobs) {
        printOutcomes(report, job.fileName, job.counts);
        fwprintf(report, L"save %ls takes %lld us\n", job.fileName, static_cast<long long>(job.cycleMicros));
        if (!job.problem.empty()) {
            fwprintf(report, L"PROBLEM %ls: %ls\n", job.fileName, job.problem.c_str());
            stopped = true;
        }
        total.kills += job.counts.kills;
        total.bad += job.counts.bad;
        total.tempLeft += job.counts.tempLeft;
    }
    fwprintf(report, L"total kills %d bad %d temp-left %d seconds %lld seed %llu\n", total.kills, total.bad,
             total.tempLeft, static_cast<long long>((nowMicros() - began) / 1000000),
             static_cast<unsigned long long>(seed));
    return stopped ? 3 : total.bad > 0 ? 1 : 0;
}
