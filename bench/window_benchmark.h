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
