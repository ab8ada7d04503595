// The command line (UTF-16LE input): any line parses the same way every time,
// into parameters that are neither empty nor hold a quote; each of them quoted
// and joined by spaces gives the same parameters and options again.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "fuzz_check.h"
#include "platform_standin.h"

namespace {

bool sameOptions(const StartOptions& a, const StartOptions& b) {
    return a.hideAtStart == b.hideAtStart && a.skipStartupItems == b.skipStartupItems &&
           a.closeRunning == b.closeRunning && a.initialItem == b.initialItem && a.folderArgument == b.folderArgument;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    resetStandin();
    std::wstring line;
    for (size_t i = 0; i + 1 < size; i += 2) line += static_cast<wchar_t>(data[i] | data[i + 1] << 8);

    const StartOptions options = parseCommandLine(line);
    requireThat(sameOptions(parseCommandLine(line), options), "parsing is deterministic");
    const std::vector<std::wstring> parameters = splitCommandLine(line);
    std::wstring quoted;
    for (const std::wstring& parameter : parameters) {
        requireThat(!parameter.empty() && parameter.find(L'"') == std::wstring::npos,
                    "a parameter is neither empty nor holds a quote");
        quoted += (quoted.empty() ? L"\"" : L" \"") + parameter + L"\"";
    }
    requireThat(splitCommandLine(quoted) == parameters, "quoted parameters split into themselves");
    requireThat(sameOptions(parseCommandLine(quoted), options), "quoted parameters give the same options");
    requireThat(options.initialItem >= -1, "an item number below 1 selects nothing");
    return 0;
}
