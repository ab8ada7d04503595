#include "window_benchmark.h"

#include <cmath>
#include <cstdio>

#include "paint_wait.h"
#include "process_memory.h"
#include "started_program.h"
#include "switch_command.h"

namespace {

constexpr double kTimeoutMs = 300000;
// After a run the desktop repaints where the window was, and the ended process
// is taken down: neither should fall into the next run.
constexpr DWORD kPauseMs = 400;
// Kivo's command that opens its configuration editor.
constexpr WPARAM kEditorCommand = 67;

void finish(StartedProgram& program) {
    endProgram(program);
    Sleep(kPauseMs);
}

// Waits for the window to show `rows` rows painted, takes the time since
// `start` and the memory then, and ends the program.
WindowRun measured(StartedProgram& program, double start, int rows, const ProgramCall& call, const char* failure,
                   HWND passOver = nullptr) {
    WindowRun run{NAN, NAN};
    const double painted = waitPainted(program.id, rows, kTimeoutMs, nullptr, passOver);
    if (painted >= 0) {
        run.ms = painted - start;
        run.memoryMiB = residentMiB(program.process);
    } else {
        fprintf(stderr, failure, rows, call.exe.c_str());
    }
    finish(program);
    return run;
}

// Starts the program, taking the time of its start; false when it cannot start.
bool startedAt(const ProgramCall& call, StartedProgram& program, double& start) {
    start = counterMs();
    if (!startProgram(call.exe, call.arguments, call.folder, program)) {
        fprintf(stderr, "cannot start %ls\n", call.exe.c_str());
        return false;
    }
    // A program first waits for input once its queue is empty, paint messages
    // included: until then there is nothing to look at, and polling would only
    // take processor time from the program measured.
    WaitForInputIdle(program.process, static_cast<DWORD>(kTimeoutMs));
    return true;
}

// Starts the program and returns its painted list window, or null after ending it.
HWND startedWindow(const ProgramCall& call, int rows, StartedProgram& program) {
    if (!startProgram(call.exe, call.arguments, call.folder, program)) {
        fprintf(stderr, "cannot start %ls\n", call.exe.c_str());
        return nullptr;
    }
    HWND window = nullptr;
    if (waitPainted(program.id, rows, kTimeoutMs) >= 0) {
        Sleep(kPauseMs);
        window = listWindowOf(program.id);
    }
    if (!window) {
        fprintf(stderr, "no window of %d rows from %ls\n", rows, call.exe.c_str());
        finish(program);
    }
    return window;
}

}  // namespace

WindowRun timedStart(const ProgramCall& call, int rows) {
    StartedProgram program;
    double start = 0;
    if (!startedAt(call, program, start)) return WindowRun{NAN, NAN};
    return measured(program, start, rows, call, "no painted window of %d rows from %ls\n");
}

WindowRun timedSwitch(const ProgramCall& call, int fewRows, int manyRows) {
    StartedProgram program;
    HWND window = startedWindow(call, fewRows, program);
    if (!window) return WindowRun{NAN, NAN};
    const double start = counterMs();
    PostMessageW(window, WM_COMMAND, kSwitchCommand, 0);
    return measured(program, start, manyRows, call, "no switch to %d rows in %ls\n");
}

WindowRun timedEditor(const ProgramCall& call, int rows) {
    StartedProgram program;
    HWND launcher = startedWindow(call, rows, program);
    if (!launcher) return WindowRun{NAN, NAN};
    const double start = counterMs();
    PostMessageW(launcher, WM_COMMAND, kEditorCommand, 0);
    // The editor bears the launcher's title: only the window handle tells them apart.
    return measured(program, start, rows, call, "no editor of %d rows from %ls\n", launcher);
}

CloseRun timedStartAndClose(const ProgramCall& call, const ProgramCall& closer, int rows) {
    CloseRun run{NAN, NAN};
    StartedProgram program;
    double start = 0;
    if (!startedAt(call, program, start)) return run;
    const double painted = waitPainted(program.id, rows, kTimeoutMs);
    if (painted < 0) {
        fprintf(stderr, "no painted window of %d rows from %ls\n", rows, call.exe.c_str());
        finish(program);
        return run;
    }
    run.ms = painted - start;
    Sleep(kPauseMs);
    StartedProgram closing;
    const double closeStart = counterMs();
    if (startProgram(closer.exe, closer.arguments, closer.folder, closing)) {
        if (WaitForSingleObject(program.process, static_cast<DWORD>(kTimeoutMs)) == WAIT_OBJECT_0)
            run.closeMs = counterMs() - closeStart;
        else
            fprintf(stderr, "%ls did not end after %ls\n", call.exe.c_str(), closer.arguments.c_str());
        WaitForSingleObject(closing.process, static_cast<DWORD>(kTimeoutMs));
        endProgram(closing);
    } else {
        fprintf(stderr, "cannot start %ls\n", closer.exe.c_str());
    }
    finish(program);
    return run;
}
