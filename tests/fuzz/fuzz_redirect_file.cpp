// The redirect file beside the program: following it is deterministic, and a file
// that holds only its "DataPath" line leads to the same data folder.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "platform/process.h"
#include "platform_standin.h"
#include "settings/data_folder.h"
#include "store/text_encoding.h"

namespace {

std::vector<std::wstring> asked;

MessageAnswer recordQuestion(const MessageRequest& request) {
    asked.push_back(request.text + L"|" + request.caption);
    return MessageAnswer::Ok;
}

struct Outcome {
    bool goOn = false;
    std::wstring dataFolder;
    std::wstring currentDirectory;
    std::wstring dataPath;
    std::vector<std::wstring> asked;

    bool operator==(const Outcome&) const = default;
};

Outcome followRedirect(const std::string& bytes) {
    resetStandin();
    ProgramFolders folders;
    initProgramFolders(folders);
    putStandinFile(folders.programFolder + kRedirectFileName, bytes);
    asked.clear();
    IniDocument doc;
    Outcome outcome;
    outcome.goOn = applyRedirectFile(folders, doc, recordQuestion);
    outcome.dataFolder = folders.dataFolder;
    outcome.currentDirectory = currentDirectory();
    outcome.dataPath = readString(doc, L"DataPath", L"");
    outcome.asked = asked;
    return outcome;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const Outcome first = followRedirect(bytes);
    requireThat(followRedirect(bytes) == first, "following the redirect file is deterministic");
    if (!first.goOn) requireThat(!first.asked.empty(), "the program does not end without saying why");
    if (first.goOn && !first.dataPath.empty())
        requireThat(first.dataFolder == first.currentDirectory, "the data folder is the current directory");

    // UTF-16 holds every path, a lone surrogate as well.
    const Outcome plain = followRedirect(encodeText(L"DataPath=" + first.dataPath + L"\r\n", TextFormat::Utf16Le, true));
    requireThat(plain == first, "the DataPath line alone leads to the same folder");
    return 0;
}
