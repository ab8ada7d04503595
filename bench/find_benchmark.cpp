#include "find_benchmark.h"

#include <cmath>
#include <cstdio>

#include "find_command.h"
#include "paint_wait.h"
#include "started_program.h"

namespace {

constexpr double kTimeoutMs = 120000;
// As in the other figures: the last run's after-effects stay out of the next.
constexpr DWORD kPauseMs = 400;
// About the pause between two keys of someone typing fast: what one keystroke
// leaves for later is not timed with the next.
constexpr DWORD kKeyPauseMs = 100;
// No caption of the generated categories holds a tilde.
const std::wstring kNothingFound = L"~~~~~";

bool shown(const StartedProgram& program, int rows, const std::wstring& text) {
    const TypedText typed{kFindFieldId, text};
    return waitPainted(program.id, rows, kTimeoutMs, &typed) >= 0;
}

// Opens Find once the program shows its start rows; true when the empty field
// and its empty list are painted.
bool openFind(const StartedProgram& program, int startRows, HWND& field) {
    if (waitPainted(program.id, startRows, kTimeoutMs) < 0) return false;
    Sleep(kPauseMs);
    HWND window = listWindowOf(program.id);
    if (!window) return false;
    PostMessageW(window, WM_COMMAND, kFindCommand, 0);
    if (!shown(program, 0, std::wstring())) return false;
    field = GetDlgItem(window, kFindFieldId);
    Sleep(kPauseMs);
    return field != nullptr;
}

// As a user does before typing another word: all chosen, then deleted.
bool emptyField(const StartedProgram& program, HWND field) {
    PostMessageW(field, EM_SETSEL, 0, -1);
    PostMessageW(field, WM_CHAR, VK_BACK, 1);
    const bool emptied = shown(program, 0, std::wstring());
    Sleep(kKeyPauseMs);
    return emptied;
}

// Types the query and appends the time of each keystroke; false at the first failure.
bool typeQuery(const StartedProgram& program, HWND field, const FindSide& side, const FindFolder& found,
               const std::wstring& query, std::vector<double>& times) {
    for (size_t length = 1; length <= query.size(); ++length) {
        const TypedText typed{kFindFieldId, query.substr(0, length)};
        const int rows = side.rowsFound(found, typed.text);
        const double start = counterMs();
        PostMessageW(field, WM_CHAR, query[length - 1], 1);
        const double painted = waitPainted(program.id, rows, kTimeoutMs, &typed);
        if (painted < 0) {
            fprintf(stderr, "no %d rows painted for \"%ls\"\n", rows, typed.text.c_str());
            return false;
        }
        times.push_back(painted - start);
        Sleep(kKeyPauseMs);
    }
    return true;
}

void addAll(std::vector<double>& to, const std::vector<double>& values) {
    to.insert(to.end(), values.begin(), values.end());
}

}  // namespace

std::vector<double> timedKeystrokes(const FindSide& side, const FindFolder& found,
                                    const std::vector<std::wstring>& queries, std::vector<double>& floor) {
    std::vector<double> times;
    StartedProgram program;
    if (!startProgram(side.call.exe, side.call.arguments, side.call.folder, program)) {
        fprintf(stderr, "cannot start %ls\n", side.call.exe.c_str());
        return {NAN};
    }
    HWND field = nullptr;
    bool ok = openFind(program, side.startRows, field);
    if (!ok) fprintf(stderr, "no Find opened in %ls\n", side.call.exe.c_str());
    for (size_t q = 0; ok && q < queries.size(); ++q)
        ok = (q == 0 || emptyField(program, field)) && typeQuery(program, field, side, found, queries[q], times);
    if (!ok) times.push_back(NAN);
    if (ok && !(emptyField(program, field) && typeQuery(program, field, side, found, kNothingFound, floor)))
        floor.push_back(NAN);
    endProgram(program);
    Sleep(kPauseMs);
    return times;
}

double timedFindOpening(const FindSide& side, const std::wstring& text, int rows) {
    StartedProgram program;
    if (!startProgram(side.call.exe, side.call.arguments, side.call.folder, program)) return NAN;
    double ms = NAN;
    const bool started = waitPainted(program.id, side.startRows, kTimeoutMs) >= 0;
    if (started) Sleep(kPauseMs);
    HWND window = started ? listWindowOf(program.id) : nullptr;
    if (window) {
        HWND field = GetDlgItem(window, kFindFieldId);
        const TypedText typed{kFindFieldId, text};
        const double start = counterMs();
        PostMessageW(window, WM_COMMAND, kFindCommand, 0);
        for (wchar_t c : text) PostMessageW(field, WM_CHAR, c, 1);
        const double painted = field ? waitPainted(program.id, rows, kTimeoutMs, &typed) : -1;
        if (painted >= 0) ms = painted - start;
    }
    endProgram(program);
    Sleep(kPauseMs);
    return ms;
}

KeystrokeFigures alternateKeystrokes(int runs, const FindSide& kivo, const FindSide& bare, const FindFolder& found,
                                     const std::vector<std::wstring>& queries) {
    std::vector<double> kivoTimes;
    std::vector<double> bareTimes;
    std::vector<double> kivoFloor;
    std::vector<double> bareFloor;
    for (int i = 0; i < runs; ++i) {
        addAll(kivoTimes, timedKeystrokes(kivo, found, queries, kivoFloor));
        addAll(bareTimes, timedKeystrokes(bare, found, queries, bareFloor));
    }
    KeystrokeFigures figures;
    figures.median = PairedMedians{median(kivoTimes), median(bareTimes)};
    figures.percentile90 = PairedMedians{percentile(kivoTimes, 0.9), percentile(bareTimes, 0.9)};
    figures.slowest = PairedMedians{percentile(kivoTimes, 1.0), percentile(bareTimes, 1.0)};
    figures.floor = PairedMedians{median(kivoFloor), median(bareFloor)};
    figures.keystrokes = static_cast<int>(kivoTimes.size());
    return figures;
}
