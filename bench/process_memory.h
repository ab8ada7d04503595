#pragma once
#include <windows.h>

// Resident memory (working set) of another process in MiB; negative when it
// cannot be read. Under Wine 8 this is the VmRSS of the Linux process that runs
// the program (checked against /proc/<pid>/status: the same figure), so it
// counts the same way for Kivo and for the bare window.
double residentMiB(HANDLE process);
