// Kivo's benchmarks against a bare Win32 program, run by `./kivo.sh bench`:
//   bench_runner <kivo.exe> <work folder> [runs] [find]
// Writes its data into the work folder, takes every figure as the median of
// runs taken in turns with the bare side, and prints one table on stdout
// (progress goes to stderr). With "find" only the Find figures are taken.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "bare_window.h"
#include "bench_data.h"
#include "encoding_benchmark.h"
#include "find_benchmark.h"
#include "find_data.h"
#include "run_stats.h"
#include "settings_benchmark.h"
#include "start_menu_load.h"
#include "started_program.h"
#include "window_benchmark.h"

namespace {

constexpr int kFileRuns = 15;  // the in-process figures are cheap
constexpr int kFindCategories = 50;
constexpr int kFindItemsEach = 200;
constexpr int kManyFindCategories = 10;
constexpr int kManyFindItemsEach = 10000;
constexpr int kManyItems = 100000;
// About 50 MB of category file at 100 bytes a line.
constexpr int kHugeItems = 519097;
// The large figures take most of the time: fewer runs keep the whole under a quarter of an hour.
constexpr int kLargeRuns = 5;
// Words typed letter by letter: the first letter finds thousands of items, the
// later ones narrow them down to a few hundred or a few dozen.
constexpr int kOpeningCategories = 10;
// Found among the items, in no name of the shortcuts the Start menu gets.
const wchar_t* const kOpeningText = L"note";
const wchar_t* const kFindQueries[] = {L"note", L"budget", L"report", L"reg", L"photo"};
// Typed as people type in other launchers: initials (Task Manager, DirectX
// Diagnostics, Add or Remove Programs, Wine Configuration, Command Prompt),
// and words with a slip in them.
const wchar_t* const kInitialsQueries[] = {L"tm", L"dxd", L"aorp", L"wc", L"cp"};
const wchar_t* const kSlipQueries[] = {L"wrodpad", L"regsitry", L"mniesweeper", L"contorl"};

struct Setup {
    std::wstring kivoExe;
    std::wstring bareExe;
    std::wstring workFolder;
    int runs = 7;
    bool findOnly = false;
    bool openingOnly = false;  // the Find-opening figures alone
};

std::wstring besideThisProgram(const wchar_t* name) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1) + name;
}

ProgramCall kivoCall(const Setup& setup, const std::wstring& dataFolder) {
    return ProgramCall{setup.kivoExe, quoted(dataFolder), dataFolder};
}

ProgramCall bareCall(const Setup& setup, const std::wstring& folder, const std::wstring& lists) {
    return ProgramCall{setup.bareExe, lists, folder};
}

// Shown as the runs go on, also when stderr is a pipe.
void progress(const std::string& what, int runs) {
    fprintf(stderr, "%s: %d runs of each...\n", what.c_str(), runs);
    fflush(stderr);
}

struct StartFigures {
    PairedMedians ms;
    PairedMedians memoryMiB;
};

// Kivo against the bare window with the rows in sight, on the category "Items" of `folder`.
StartFigures startups(const Setup& setup, const std::wstring& folder, int items, int runs) {
    const ProgramCall kivo = kivoCall(setup, folder);
    const ProgramCall bare = bareCall(setup, folder, L"/sight " + quoted(folder + L"\\Items.kvl"));
    progress("Start-up, " + std::to_string(items) + " items", runs);
    std::vector<double> kivoMemory;
    std::vector<double> bareMemory;
    StartFigures figures;
    figures.ms = alternate(
        runs,
        [&] {
            const WindowRun r = timedStart(kivo, items);
            kivoMemory.push_back(r.memoryMiB);
            return r.ms;
        },
        [&] {
            const WindowRun r = timedStart(bare, std::min(items, kBareRowsInSight));
            bareMemory.push_back(r.memoryMiB);
            return r.ms;
        });
    figures.memoryMiB = PairedMedians{median(kivoMemory), median(bareMemory)};
    return figures;
}

struct CloseFigures {
    PairedMedians ms;  // to the window that answers; the bare side with the rows in sight
    double closeMs = NAN;
    double fileMB = NAN;
};

// Kivo ends normally here and saves its settings: each run starts on them written anew.
CloseFigures startAndClose(const Setup& setup, int items, int runs) {
    const std::wstring folder = makeStartFolder(setup.workFolder, items, true);
    WIN32_FILE_ATTRIBUTE_DATA file{};
    CloseFigures figures;
    if (GetFileAttributesExW((folder + L"\\Items.kvl").c_str(), GetFileExInfoStandard, &file))
        figures.fileMB = (static_cast<double>(file.nFileSizeHigh) * 4294967296.0 + file.nFileSizeLow) / 1e6;
    const ProgramCall kivo = kivoCall(setup, folder);
    const ProgramCall closer{setup.kivoExe, L"/close " + quoted(folder), folder};
    const ProgramCall bare = bareCall(setup, folder, L"/sight " + quoted(folder + L"\\Items.kvl"));
    progress("Start and /close, " + std::to_string(items) + " items", runs);
    std::vector<double> closeTimes;
    figures.ms = alternate(
        runs,
        [&] {
            writeStartSettings(folder);
            const CloseRun r = timedStartAndClose(kivo, closer, items);
            closeTimes.push_back(r.closeMs);
            return r.ms;
        },
        [&] { return timedStart(bare, kBareRowsInSight).ms; });
    figures.closeMs = median(closeTimes);
    return figures;
}

double editorOpens(const Setup& setup, const std::wstring& folder, int items, int runs) {
    progress("Editor, " + std::to_string(items) + " items", runs);
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) times.push_back(timedEditor(kivoCall(setup, folder), items).ms);
    return median(times);
}

PairedMedians switches(const Setup& setup, int fewItems, int manyItems) {
    const SwitchFolder s = makeSwitchFolder(setup.workFolder, fewItems, manyItems);
    const ProgramCall kivo = kivoCall(setup, s.folder);
    const ProgramCall bare = bareCall(setup, s.folder, quoted(s.fewList) + L" " + quoted(s.manyList));
    progress("Switch to " + std::to_string(manyItems) + " items", setup.runs);
    return alternate(
        setup.runs, [&] { return timedSwitch(kivo, fewItems, manyItems).ms; },
        [&] { return timedSwitch(bare, fewItems, manyItems).ms; });
}

// Kivo's median keystroke for texts matched by initials and with a slip.
struct MatchingFigures {
    double initials = NAN;
    double slip = NAN;
};

double kivoMedian(int runs, const FindSide& kivo, const FindFolder& found, const std::vector<std::wstring>& queries) {
    std::vector<double> times;
    std::vector<double> floor;
    for (int i = 0; i < runs; ++i) {
        const std::vector<double> run = timedKeystrokes(kivo, found, queries, floor);
        times.insert(times.end(), run.begin(), run.end());
    }
    return median(times);
}

void printFound(const FindFolder& found, const std::vector<std::wstring>& queries) {
    fprintf(stderr, "  rows found (Kivo/bare):");
    for (const std::wstring& query : queries)
        for (size_t length = 1; length <= query.size(); ++length) {
            const std::wstring text = query.substr(0, length);
            fprintf(stderr, " %ls %d/%d", text.c_str(), kivoFoundCount(found, text), foundCount(found, text));
        }
    fprintf(stderr, "\n");
}

KeystrokeFigures findKeystrokes(const Setup& setup, int categories, int itemsEach, int runs,
                                MatchingFigures* matching = nullptr) {
    const FindFolder found = makeFindFolder(setup.workFolder, categories, itemsEach);
    const std::vector<std::wstring> queries(std::begin(kFindQueries), std::end(kFindQueries));
    const FindSide kivo{kivoCall(setup, found.folder), itemsEach, kivoFoundCount};
    const FindSide bare{bareCall(setup, found.folder, L"/find " + quoted(found.folder)), 0};
    progress("Find, keystrokes with " + std::to_string(found.captions.size()) + " items", runs);
    printFound(found, queries);
    const KeystrokeFigures figures = alternateKeystrokes(runs, kivo, bare, found, queries);
    if (matching) {
        const std::vector<std::wstring> initials(std::begin(kInitialsQueries), std::end(kInitialsQueries));
        const std::vector<std::wstring> slips(std::begin(kSlipQueries), std::end(kSlipQueries));
        progress("Find, initials and slips", runs);
        printFound(found, initials);
        printFound(found, slips);
        matching->initials = kivoMedian(runs, kivo, found, initials);
        matching->slip = kivoMedian(runs, kivo, found, slips);
    }
    removeBenchShortcuts();
    return figures;
}

// Kivo opened fresh on a folder of 10 categories each time, so that Find reads
// the Start menu for the first time, with each load in the Start menu.
struct OpeningFigures {
    double none = NAN;
    double large = NAN;
    double damaged = NAN;
};

OpeningFigures findOpenings(const Setup& setup, int runs) {
    FindFolder found = makeFindFolder(setup.workFolder, kOpeningCategories, kFindItemsEach);
    removeBenchShortcuts();
    // Only the items: the shortcuts the folder came with are gone again.
    keepItems(found, static_cast<size_t>(kOpeningCategories * kFindItemsEach));
    const FindSide kivo{kivoCall(setup, found.folder), kFindItemsEach, kivoFoundCount};
    const int rows = kivoFoundCount(found, kOpeningText);
    OpeningFigures figures;
    double* const slots[] = {&figures.none, &figures.large, &figures.damaged};
    const StartMenuLoad loads[] = {StartMenuLoad::None, StartMenuLoad::Large, StartMenuLoad::Damaged};
    for (int load = 0; load < 3; ++load) {
        progress("Find opens, Start menu load " + std::to_string(load), runs);
        makeStartMenuLoad(loads[load], found.folder + L"\\load-apps");
        std::vector<double> times;
        for (int i = 0; i < runs; ++i) times.push_back(timedFindOpening(kivo, kOpeningText, rows));
        *slots[load] = median(times);
    }
    removeStartMenuLoad();
    return figures;
}

// The table's cells; NaN prints as "failed". Seconds take two decimals.
void cell(double value, const char* unit, int width) {
    char text[32];
    if (std::isnan(value))
        snprintf(text, sizeof text, "failed");
    else
        snprintf(text, sizeof text, strcmp(unit, " s") == 0 ? "%.2f%s" : "%.1f%s", value, unit);
    printf("%*s", width, text);
}

void ratioCell(double value, int width) {
    char text[32];
    if (std::isnan(value))
        snprintf(text, sizeof text, "failed");
    else
        snprintf(text, sizeof text, value < 0.1 ? "%.4f" : "%.2f", value);
    printf("%*s", width, text);
}

void row(const char* number, const char* what, PairedMedians m, const char* unit, const char* target) {
    printf("%-3s%-50s", number, what);
    cell(m.kivo, unit, 12);
    cell(m.bare, unit, 12);
    ratioCell(m.kivo / m.bare, 11);
    printf("  %s\n", target);
}

// A figure of Kivo alone.
void soloRow(const char* number, const char* what, double kivo, const char* unit, const char* target) {
    printf("%-3s%-50s", number, what);
    cell(kivo, unit, 12);
    printf("%12s%11s  %s\n", "-", "-", target);
}

// Memory against a budget over the bare side: the difference where the ratio goes.
void memoryOverRow(const char* what, PairedMedians m, const char* target) {
    printf("%-3s%-50s", "", what);
    cell(m.kivo, " MiB", 12);
    cell(m.bare, " MiB", 12);
    char text[32];
    snprintf(text, sizeof text, "%+.1f MiB", m.kivo - m.bare);
    printf("%11s  %s\n", std::isnan(m.kivo - m.bare) ? "failed" : text, target);
}

void openingRows(const OpeningFigures& opening) {
    soloRow("12", "Ctrl+F to the painted rows, bare Start menu", opening.none / 1000, " s", "");
    soloRow("", "the same, 5,000 shortcuts in 500 groups", opening.large / 1000, " s", "<= 0.3 s");
    soloRow("", "the same, 31 damaged shortcuts among 39", opening.damaged / 1000, " s", "<= 0.3 s");
}

PairedMedians inSeconds(PairedMedians m) { return PairedMedians{m.kivo / 1000, m.bare / 1000}; }

void findRows(const char* number, const char* what, const KeystrokeFigures& find, const char* targets[3]) {
    row(number, what, find.median, " ms", targets[0]);
    row("", "90th percentile of the keystrokes", find.percentile90, " ms", targets[1]);
    row("", "Slowest keystroke", find.slowest, " ms", targets[2]);
    row("", "A keystroke that finds nothing (the floor)", find.floor, " ms", "");
    printf("%-3s%d keystrokes of each side\n", "", find.keystrokes);
}

void smallFindRows(const KeystrokeFigures& find) {
    const char* targets[3] = {"<= 5 ms", "<= 10 ms", "<= 16 ms"};
    findRows("9", "Find, a keystroke with 50 categories of 200 items", find, targets);
}

void largeFindRows(const KeystrokeFigures& find, const MatchingFigures& matching) {
    const char* targets[3] = {"<= 16 ms", "", ""};
    findRows("10", "Find, a keystroke, 10 categories of 10,000 items", find, targets);
    // Against Kivo's own keystroke for texts its captions hold, above.
    const double contains = find.median.kivo;
    printf("%-3s%-48s %9.2f ms %6.2fx  %s\n", "", "the same, texts typed as initials", matching.initials,
           matching.initials / contains, "<= 1.2x Kivo's row above");
    printf("%-3s%-48s %9.2f ms %6.2fx  %s\n", "", "the same, texts with one slip", matching.slip,
           matching.slip / contains, "<= 1.2x Kivo's row above");
}

void tableHead(int runs, int largeRuns) {
    printf("Kivo against a bare Win32 window: medians of %d runs taken in turns (Kivo, bare, Kivo, ...),\n", runs);
    printf("%d for figures 7, 8, 10 and 11, %d for the in-process figures 5 and 6; the Find figures pool the\n",
           largeRuns, kFileRuns);
    printf("keystrokes of all runs. Times run to a painted window that answers (see bench/paint_wait.cpp).\n");
    printf("The bare window reads the whole file but shows only its first %d rows, except in figures 4\n",
           kBareRowsInSight);
    printf("(all rows) and 9 and 10 (its Find window).\n\n");
    printf("%-53s%12s%12s%11s  %s\n", "", "Kivo", "Bare", "Kivo/bare", "Target");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: bench_runner <kivo.exe> <work folder> [runs] [find | opening]\n");
        return 2;
    }
    Setup setup;
    setup.kivoExe = argv[1];
    setup.workFolder = argv[2];
    setup.bareExe = besideThisProgram(L"bare_launcher.exe");
    for (int i = 3; i < argc; ++i) {
        if (wcscmp(argv[i], L"find") == 0)
            setup.findOnly = true;
        else if (wcscmp(argv[i], L"opening") == 0)
            setup.openingOnly = true;
        else
            setup.runs = _wtoi(argv[i]);
    }
    if (setup.runs < 1) setup.runs = 7;
    const int largeRuns = std::min(setup.runs, kLargeRuns);
    CreateDirectoryW(setup.workFolder.c_str(), nullptr);
    const double began = GetTickCount64() / 1000.0;
    if (setup.openingOnly) {
        const OpeningFigures opening = findOpenings(setup, setup.runs);
        tableHead(setup.runs, largeRuns);
        openingRows(opening);
        return 0;
    }
    if (setup.findOnly) {
        const KeystrokeFigures find = findKeystrokes(setup, kFindCategories, kFindItemsEach, setup.runs);
        MatchingFigures matching;
        const KeystrokeFigures manyFind =
            findKeystrokes(setup, kManyFindCategories, kManyFindItemsEach, largeRuns, &matching);
        const OpeningFigures opening = findOpenings(setup, setup.runs);
        fprintf(stderr, "Done in %.0f s.\n", GetTickCount64() / 1000.0 - began);
        tableHead(setup.runs, largeRuns);
        smallFindRows(find);
        largeFindRows(manyFind, matching);
        openingRows(opening);
        return 0;
    }

    progress("Settings and decoding", kFileRuns);
    const SettingsFiles settings = makeSettingsFiles(setup.workFolder);
    const PairedMedians settingsLoad = alternate(
        kFileRuns, [&] { return kivoSettingsLoad(settings.kivoFile); },
        [&] { return bareSettingsLoad(settings.bareFile); });
    int round = 0;
    int bareRound = 0;
    const PairedMedians settingsSave = alternate(
        kFileRuns, [&] { return kivoSettingsSave(settings.kivoFile, ++round); },
        [&] { return bareSettingsSave(settings.bareFile, ++bareRound); });
    const std::string text = makeEncodingFile(setup.workFolder);
    const PairedMedians decoding =
        alternate(kFileRuns, [&] { return kivoDecode(text); }, [&] { return bareDecode(text); });

    const StartFigures start200 = startups(setup, makeStartFolder(setup.workFolder, 200), 200, setup.runs);
    const StartFigures start10000 = startups(setup, makeStartFolder(setup.workFolder, 10000), 10000, setup.runs);
    const PairedMedians switch1000 = switches(setup, 10, 1000);
    const KeystrokeFigures find = findKeystrokes(setup, kFindCategories, kFindItemsEach, setup.runs);
    const std::wstring manyFolder = makeStartFolder(setup.workFolder, kManyItems);
    const StartFigures startMany = startups(setup, manyFolder, kManyItems, largeRuns);
    const CloseFigures huge = startAndClose(setup, kHugeItems, largeRuns);
    MatchingFigures matching;
    const KeystrokeFigures manyFind = findKeystrokes(setup, kManyFindCategories, kManyFindItemsEach, largeRuns, &matching);
    const double editorMs = editorOpens(setup, manyFolder, kManyItems, largeRuns);
    const OpeningFigures opening = findOpenings(setup, setup.runs);
    fprintf(stderr, "Done in %.0f s.\n", GetTickCount64() / 1000.0 - began);

    tableHead(setup.runs, largeRuns);
    row("1", "Start-up, 200 items", start200.ms, " ms", "<= 1.1");
    row("2", "Start-up, 10,000 items", start10000.ms, " ms", "<= 1.1");
    row("3", "Resident memory, 10,000 items", start10000.memoryMiB, " MiB", "<= 1.1");
    row("4", "Switch from 10 to 1,000 items", switch1000, " ms", "");
    row("5", "Settings load (64 groups, 1,000 lines)", settingsLoad, " ms", "");
    row("", "Settings save (every key)", settingsSave, " ms", "");
    row("6", "Decoding 10 MB of UTF-8", decoding, " ms", "");
    row("7", "100,000 items: the launcher answers", startMany.ms, " ms", "<= 1.5");
    memoryOverRow("Resident memory, 100,000 items", startMany.memoryMiB, "<= bare + 40 MB");
    char hugeWhat[64];
    snprintf(hugeWhat, sizeof hugeWhat, "519,097 items (%.1f MB file): the window answers", huge.fileMB);
    row("8", hugeWhat, inSeconds(huge.ms), " s", "<= 3 s");
    soloRow("", "Exit after /close", huge.closeMs / 1000, " s", "<= 1 s");
    smallFindRows(find);
    largeFindRows(manyFind, matching);
    soloRow("11", "Editor opens 100,000 items", editorMs / 1000, " s", "<= 0.5 s");
    openingRows(opening);
    return 0;
}
