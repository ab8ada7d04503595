#pragma once
// The running process: its program file and current directory.
#include <cstdint>
#include <string>

std::wstring programFilePath();   // full path of the running program file
std::wstring currentDirectory();  // with a trailing "\"
// Makes the folder the current directory. Where the system refuses a folder only
// for its length (long paths not enabled), it is taken all the same: relative
// names resolve against it (fullPathName) and currentDirectory gives it, though
// programs started without a folder of their own then start elsewhere. False
// when the folder cannot be entered.
bool setCurrentDirectory(const std::wstring& folder);
// The folder taken so in place of the system's current directory; empty while
// the system's is the one.
const std::wstring& folderInPlaceOfCurrent();
uint32_t currentProcessId();
// Whether a process with this id is running now.
bool processRunning(uint32_t processId);
// The same, for a process started no later than `time` (a file time, see
// fileWriteTime). Ids are given again soon after their process ends, so a
// process started after that time is not the one that had the id then.
bool processRunningSince(uint32_t processId, uint64_t time);
