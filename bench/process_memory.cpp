#include "process_memory.h"

#include <psapi.h>

double residentMiB(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) return -1;
    return static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
}
