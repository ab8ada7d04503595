// Kivo's benchmarks against a bare Win32 program, run by `./kivo.sh bench`:
//   bench_runner <kivo.exe> <work folder> [runs] [find]
// Writes its data into the work folder, takes every figure as the median of
// runs taken in turns with the bare side, and prints one table on stdout
// (progress goes to stderr). With "find" only the Find figure is taken.
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "bench_data.h"
#include "encoding_benchmark.h"
#include "find_benchmark.h"
#include "find_data.h"
#include "run_stats.h"
#include "settings_benchmark.h"
#include "started_program.h"
#include "window_benchmark.h"

namespace {

constexpr int kFileRuns = 15;  // the in-process figures are cheap
constexpr int kFindCategories = 50;
constexpr int kFindItemsEach = 200;
// Words typed letter by letter: the first letter finds thousands of items, the
// later ones narrow them down to a few hundred or a few dozen.
const wchar_t* const kFindQueries[] = {L"note", L"budget", L"report", L"reg", L"photo"};

struct Setup {
    std::wstring kivoExe;
    std::wstring bareExe;
    std::wstring workFolder;
    int runs = 7;
    bool findOnly = false;
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

StartFigures startups(const Setup& setup, int items, int runs) {
    const std::wstring folder = makeStartFolder(setup.workFolder, items);
    const ProgramCall kivo = kivoCall(setup, folder);
    const ProgramCall bare = bareCall(setup, folder, quoted(folder + L"\\Items.kvl"));
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
            const WindowRun r = timedStart(bare, items);
            bareMemory.push_back(r.memoryMiB);
            return r.ms;
        });
    figures.memoryMiB = PairedMedians{median(kivoMemory), median(bareMemory)};
    return figures;
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

KeystrokeFigures findKeystrokes(const Setup& setup) {
    const FindFolder found = makeFindFolder(setup.workFolder, kFindCategories, kFindItemsEach);
    const std::vector<std::wstring> queries(std::begin(kFindQueries), std::end(kFindQueries));
    const FindSide kivo{kivoCall(setup, found.folder), kFindItemsEach};
    const FindSide bare{bareCall(setup, found.folder, L"/find " + quoted(found.folder)), 0};
    progress("Find, keystrokes with " + std::to_string(found.captions.size()) + " items", setup.runs);
    fprintf(stderr, "  rows found:");
    for (const std::wstring& query : queries)
        for (size_t length = 1; length <= query.size(); ++length)
            fprintf(stderr, " %ls %d", query.substr(0, length).c_str(), foundCount(found, query.substr(0, length)));
    fprintf(stderr, "\n");
    return alternateKeystrokes(setup.runs, kivo, bare, found, queries);
}

// The table's cells; NaN prints as "failed".
void cell(double value, const char* unit, int width) {
    char text[32];
    if (std::isnan(value))
        snprintf(text, sizeof text, "failed");
    else
        snprintf(text, sizeof text, "%.1f%s", value, unit);
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

// A row of ratios of each side to its own earlier figure.
void growthRow(const char* what, PairedMedians m, PairedMedians base, const char* target) {
    printf("%-3s%-50s", "", what);
    ratioCell(m.kivo / base.kivo, 12);
    ratioCell(m.bare / base.bare, 12);
    printf("%11s  %s\n", "", target);
}

void findRows(const KeystrokeFigures& find) {
    row("8", "Find, a keystroke with 50 categories of 200 items", find.median, " ms", "< 16 ms");
    row("", "90th percentile of the keystrokes", find.percentile90, " ms", "");
    row("", "Slowest keystroke", find.slowest, " ms", "");
    printf("%-3s%d keystrokes of each side\n", "", find.keystrokes);
}

void tableHead(int runs) {
    printf("Kivo against a bare Win32 window: medians of %d runs taken in turns (Kivo, bare, Kivo, ...),\n", runs);
    printf("%d for the in-process figures 5 and 6; figure 8 pools the keystrokes of all runs. Times run to a\n",
           kFileRuns);
    printf("painted window (see bench/paint_wait.cpp).\n\n");
    printf("%-53s%12s%12s%11s  %s\n", "", "Kivo", "Bare", "Kivo/bare", "Target");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: bench_runner <kivo.exe> <work folder> [runs] [find]\n");
        return 2;
    }
    Setup setup;
    setup.kivoExe = argv[1];
    setup.workFolder = argv[2];
    setup.bareExe = besideThisProgram(L"bare_launcher.exe");
    for (int i = 3; i < argc; ++i) {
        if (wcscmp(argv[i], L"find") == 0)
            setup.findOnly = true;
        else
            setup.runs = _wtoi(argv[i]);
    }
    if (setup.runs < 1) setup.runs = 7;
    CreateDirectoryW(setup.workFolder.c_str(), nullptr);
    const double began = GetTickCount64() / 1000.0;
    if (setup.findOnly) {
        const KeystrokeFigures find = findKeystrokes(setup);
        fprintf(stderr, "Done in %.0f s.\n", GetTickCount64() / 1000.0 - began);
        tableHead(setup.runs);
        findRows(find);
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

    const StartFigures start200 = startups(setup, 200, setup.runs);
    const StartFigures start2000 = startups(setup, 2000, setup.runs);
    const PairedMedians switch1000 = switches(setup, 10, 1000);
    const KeystrokeFigures find = findKeystrokes(setup);
    const StartFigures start100 = startups(setup, 100, setup.runs);
    const StartFigures start1000 = startups(setup, 1000, setup.runs);
    const StartFigures start10000 = startups(setup, 10000, setup.runs);
    fprintf(stderr, "Done in %.0f s.\n", GetTickCount64() / 1000.0 - began);

    tableHead(setup.runs);
    row("1", "Start-up, 200 items", start200.ms, " ms", "< 1.0");
    row("2", "Start-up, 2,000 items", start2000.ms, " ms", "< 1.0");
    growthRow("2,000 items / 200 items", start2000.ms, start200.ms, "Kivo <= 1.3");
    row("3", "Switch from 10 to 1,000 items", switch1000, " ms", "");
    row("4", "Resident memory, 2,000 items", start2000.memoryMiB, " MiB", "<= 1.0");
    row("5", "Settings load (64 groups, 1,000 lines)", settingsLoad, " ms", "");
    row("", "Settings save (every key)", settingsSave, " ms", "");
    row("6", "Decoding 10 MB of UTF-8", decoding, " ms", "");
    row("7", "Start-up, 100 items", start100.ms, " ms", "");
    row("", "Start-up, 1,000 items", start1000.ms, " ms", "");
    row("", "Start-up, 10,000 items", start10000.ms, " ms", "");
    growthRow("1,000 items / 100 items", start1000.ms, start100.ms, "");
    growthRow("10,000 items / 100 items", start10000.ms, start100.ms, "");
    findRows(find);
    return 0;
}
