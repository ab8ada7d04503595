#pragma once
// Reading what launch_probe.exe recorded about how it was started.
#include <cstddef>
#include <string>
#include <vector>

struct ProbeRecord {
    std::wstring commandLine;
    std::wstring directory;  // the probe's current directory, as the system reports it
    int showCommand = -1;    // -1: the probe was given none
};

// Waits (up to about 15 s) until `logFile` holds at least `count` complete
// records; `records` then holds every complete record in the file. False when
// fewer arrived in time.
bool waitForProbeRecords(const std::wstring& logFile, std::size_t count, std::vector<ProbeRecord>& records);

// Full path of launch_probe.exe, which is built beside the test programs.
std::wstring probeProgramPath();
