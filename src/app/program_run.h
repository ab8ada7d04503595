#pragma once
// The program's run: start-up in its fixed order, the outer loop that shows
// categories and opens the configuration editor, and the exit.
#include <cstdint>
#include <string>

#include "app/command_line.h"
#include "platform/instance_lock.h"
#include "store/category_store.h"

struct ProgramRun {
    StartOptions options;
    int loopRequest = 0;
    InstanceLock instanceLock;  // held for the whole run
    // The category shown at start in place of the stored one, which is gone,
    // and its window as first shown: as long as the user leaves both alone,
    // the settings keep naming the stored category.
    std::wstring startFallback;
    bool fallbackShown = false;
    LauncherGeometry fallbackGeometry;
    std::wstring fallbackFont;
    uint32_t fallbackBackground = 0;
};

extern ProgramRun programRun;

// Everything up to the first category; false when the program is to end
// without saving anything.
bool startProgram(const std::wstring& commandLine);
// Shows categories (and the editor) until the user exits.
void runOuterLoop();
// Saves the settings when allowed and releases the window, tray icon and icons.
void exitProgram();
