// What the two ways of killing saves share (save_killer_writers.cpp kills
// save_writer.exe, save_killer_kivo.cpp kills kivo.exe as it exits).
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace killer {

std::string readBytes(const std::wstring& path);  // empty when missing
bool writeBytes(const std::wstring& path, const std::string& bytes);

// The names of the files in `folder` that end in ".new".
std::vector<std::wstring> newFiles(const std::wstring& folder);

// The name of the file that the program writes before the rename.
std::wstring tempNameOf(const std::wstring& target, DWORD processId);

// Whether the file exists and was last written at or after `since` (a
// FILETIME as a number): a file of that name left by an earlier process whose
// id was given again does not count.
bool writtenSince(const std::wstring& path, uint64_t since);
uint64_t creationTime(HANDLE process);

// Starts that failed and were tried again, over all threads.
struct StartFailures {
    std::atomic<long> count{0};
    std::atomic<unsigned long> error{0};  // GetLastError of the last one
};
extern StartFailures startFailures;

// Starts the program with the command line in `folder` as its current
// directory; false when it cannot be started.
bool startProcess(const std::wstring& commandLine, const std::wstring& folder, PROCESS_INFORMATION& started);

// TerminateProcess, then waits for the process to be gone; false when it
// outlives the wait.
bool killAndWait(const PROCESS_INFORMATION& process);
void closeProcess(PROCESS_INFORMATION& process);

// Microseconds from a steady clock.
int64_t nowMicros();
// Waits that long, the last two milliseconds by spinning (Sleep is coarse).
void waitMicros(int64_t micros);

// How a file that was being saved when the kill came was found.
struct Outcomes {
    int kills = 0;
    int a = 0;      // holds the old or new content that is A
    int b = 0;
    int old = 0;    // the save under way did not land: the content before it
    int fresh = 0;  // the save under way landed: the new content
    int idle = 0;   // no save under way (between two saves)
    int tempLeft = 0;      // the killed process's new file was left behind
    int bad = 0;           // neither content: empty, cut short or mixed
    int reusedName = 0;    // the killed process's id, and so its new file's name, had been used before
};

// Compares the file's bytes with the contents it may hold; counts the outcome
// and, for a bad one, keeps a copy beside the report and describes it. `expectOld`
// and `expectNew` index `contents`; -1 where no such content may be.
void judge(Outcomes& counts, const std::string& found, const std::string contents[2], int expectOld, int expectNew,
           const std::wstring& badCopy, FILE* log);

void printOutcomes(FILE* out, const wchar_t* file, const Outcomes& counts);

}  // namespace killer

// The two ways; each returns the exit code (see save_killer.cpp).
int killWriters(wchar_t** args, int count, FILE* report);
int killKivo(wchar_t** args, int count, FILE* report);
