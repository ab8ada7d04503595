#pragma once
// The command line: switches and the folder (or category file) to use as data folder.
#include <string>
#include <vector>

struct StartOptions {
    bool hideAtStart = false;       // "/hide"
    bool skipStartupItems = false;  // "/nostartup"
    bool closeRunning = false;      // "/close"
    int initialItem = 0;            // "/i=N": zero-based, N is one-based
    std::wstring folderArgument;    // other parameters joined by single spaces
};

// The parameters one by one with enclosing quotes removed, up to the first empty one.
std::vector<std::wstring> splitCommandLine(const std::wstring& commandLine);

StartOptions parseCommandLine(const std::wstring& commandLine);
