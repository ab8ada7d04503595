#include "app/command_line.h"

#include <algorithm>

#include "platform/text_case.h"
#include "store/text_values.h"

std::vector<std::wstring> splitCommandLine(const std::wstring& commandLine) {
    std::vector<std::wstring> parameters;
    size_t i = 0;
    for (;;) {
        while (i < commandLine.size() && (commandLine[i] == L' ' || commandLine[i] == L'\t')) ++i;
        if (i >= commandLine.size()) break;
        std::wstring parameter;
        bool quoted = false;
        for (; i < commandLine.size(); ++i) {
            wchar_t c = commandLine[i];
            if (c == L'"') {
                quoted = !quoted;
            } else if (!quoted && (c == L' ' || c == L'\t')) {
                break;
            } else {
                parameter += c;
            }
        }
        if (parameter.empty()) break;
        parameters.push_back(parameter);
    }
    return parameters;
}

StartOptions parseCommandLine(const std::wstring& commandLine) {
    StartOptions options;
    for (const std::wstring& parameter : splitCommandLine(commandLine)) {
        const std::wstring lower = toLowerCase(parameter);
        if (lower == L"/hide") {
            options.hideAtStart = true;
        } else if (lower == L"/nostartup") {
            options.skipStartupItems = true;
        } else if (lower == L"/close") {
            options.closeRunning = true;
        } else if (lower.compare(0, 3, L"/i=") == 0) {
            // Any number below 1 selects nothing, and the lowest one would
            // not survive taking 1 off.
            options.initialItem = std::max(parseIntText(lower.substr(3)), 0) - 1;
        } else if (lower[0] != L'/') {
            // A folder with spaces passed without quotes comes in pieces.
            if (!options.folderArgument.empty()) options.folderArgument += L' ';
            options.folderArgument += parameter;
        }
    }
    return options;
}
