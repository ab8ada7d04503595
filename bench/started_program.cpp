#include "started_program.h"

bool startProgram(const std::wstring& exe, const std::wstring& arguments, const std::wstring& folder,
                  StartedProgram& program) {
    std::wstring commandLine = quoted(exe) + L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &info))
        return false;
    CloseHandle(info.hThread);
    program.process = info.hProcess;
    program.id = info.dwProcessId;
    return true;
}

void endProgram(StartedProgram& program) {
    if (!program.process) return;
    TerminateProcess(program.process, 0);
    WaitForSingleObject(program.process, 30000);
    CloseHandle(program.process);
    program = StartedProgram{};
}

std::wstring quoted(const std::wstring& text) { return L"\"" + text + L"\""; }
