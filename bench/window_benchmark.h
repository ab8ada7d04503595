#pragma once
// Timed runs of a launcher program (Kivo or the bare window) to a painted window.
#include <string>

struct ProgramCall {
    std::wstring exe;
    std::wstring arguments;  // quoted already
    std::wstring folder;     // current folder of the program
};

struct WindowRun {
    double ms = 0;         // NaN when the window did not come or did not paint
    double memoryMiB = 0;  // resident memory once painted
};

// From process start to a painted window of `rows` rows.
WindowRun timedStart(const ProgramCall& call, int rows);

// Starts the program on `fewRows` rows, then times a posted switch command
// until `manyRows` rows are painted.
WindowRun timedSwitch(const ProgramCall& call, int fewRows, int manyRows);

// Starts the program on `rows` rows, then times its editor command, posted to
// the painted launcher, until another window of the program shows `rows` rows
// painted and answers.
WindowRun timedEditor(const ProgramCall& call, int rows);

struct CloseRun {
    double ms = 0;       // from start to a painted window that answers; NaN on failure
    double closeMs = 0;  // from the start of the closing call until the program has ended; NaN on failure
};

// As timedStart; then starts `closer`, which asks the running program to end.
CloseRun timedStartAndClose(const ProgramCall& call, const ProgramCall& closer, int rows);
