#pragma once
// Keystrokes typed into Find, each timed from the posted character until the
// list shows, painted, the rows the text typed so far finds.
#include <string>
#include <vector>

#include "find_data.h"
#include "run_stats.h"
#include "window_benchmark.h"

struct FindSide {
    ProgramCall call;
    int startRows = 0;  // shown before Find opens
    int (*rowsFound)(const FindFolder&, const std::wstring&) = foundCount;  // what a text shows
};

// Starts the program, waits for its start rows, opens Find and types each
// query letter by letter, emptying the field before the next one. Returns the
// milliseconds of every keystroke; a failed one ends the run with a NaN. Then
// a text that finds nothing is typed, its keystrokes going to `floor`: what a
// keystroke costs with no row to show, the edit field and the timing alone.
std::vector<double> timedKeystrokes(const FindSide& side, const FindFolder& found,
                                    const std::vector<std::wstring>& queries, std::vector<double>& floor);

struct KeystrokeFigures {
    PairedMedians median;
    PairedMedians percentile90;
    PairedMedians slowest;
    PairedMedians floor;  // median keystroke of a text that finds nothing
    int keystrokes = 0;  // of each side, all runs together
};

// `runs` runs of each side in turns (Kivo, bare, Kivo, ...), the keystrokes of
// all runs of a side pooled.
KeystrokeFigures alternateKeystrokes(int runs, const FindSide& kivo, const FindSide& bare, const FindFolder& found,
                                     const std::vector<std::wstring>& queries);

// Starts the program and waits for its start rows; then posts Find's command
// and the letters of `text` at once, as a user types right after Ctrl+F, and
// times until the `rows` rows the text finds are painted. NaN on failure.
double timedFindOpening(const FindSide& side, const std::wstring& text, int rows);
