// Starts a program with the unelevated token that Windows links to this
// process's own (what a user's session runs with when UAC is on), and exits.
// The test starts Wine's desktop this way, so that its shell runs without
// administrator rights while the programs started from bash run with them.
// Usage: limited_start <program> [arguments...]; exit code 0 when started.
#include <windows.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return 3;
    TOKEN_LINKED_TOKEN linked{};
    DWORD size = 0;
    const BOOL found = GetTokenInformation(token, TokenLinkedToken, &linked, sizeof linked, &size);
    CloseHandle(token);
    if (!found) {
        fprintf(stderr, "no linked token (error %lu)\n", GetLastError());
        return 4;
    }
    std::wstring commandLine;
    for (int i = 1; i < argc; ++i) commandLine += (i > 1 ? L" \"" : L"\"") + std::wstring(argv[i]) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    const BOOL ok = CreateProcessAsUserW(linked.LinkedToken, nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0,
                                         nullptr, nullptr, &startup, &started);
    CloseHandle(linked.LinkedToken);
    if (!ok) {
        fprintf(stderr, "cannot start (error %lu)\n", GetLastError());
        return 5;
    }
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return 0;
}
