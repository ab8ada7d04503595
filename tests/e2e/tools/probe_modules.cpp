// The libraries loaded in a window's process, one full path a line: where a
// library really came from, for the planted-library test.
#include "probe.h"

#include <tlhelp32.h>

namespace probe {

int writeModules(HWND window, FILE* out) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
    if (snapshot == INVALID_HANDLE_VALUE) return kUnreadable;
    MODULEENTRY32W module{};
    module.dwSize = sizeof module;
    for (BOOL more = Module32FirstW(snapshot, &module); more; more = Module32NextW(snapshot, &module))
        writeText(out, module.szExePath);
    CloseHandle(snapshot);
    return kFound;
}

}  // namespace probe
