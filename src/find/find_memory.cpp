#include "find/find_memory.h"

#include <utility>

#include "platform/environment.h"
#include "platform/files.h"
#include "settings/data_folder.h"
#include "settings/general_settings.h"
#include "store/text_encoding.h"

namespace {

// Hundreds of choices of bounded length take far less; a larger file is not
// one Find wrote, and reading it would only cost time.
constexpr uint64_t kLargestMemoryFile = 4 * 1024 * 1024;

std::wstring memoryPath() { return programFolders.dataFolder + kFindMemoryFileName; }

bool mayWrite(const FindMemory& memory) {
    return memory.writable && !programFolders.settingsReadOnly && generalSettings.FindLearns;
}

}  // namespace

void readFindMemory(FindMemory& memory) {
    if (memory.read) return;
    memory.read = true;
    const std::wstring path = memoryPath();
    if (!fileExists(path)) {
        memory.writable = !folderExists(path);
        return;
    }
    uint64_t size = 0;
    std::string bytes;
    if (!fileSize(path, size) || size > kLargestMemoryFile || !readWholeFile(path, bytes)) return;
    memory.ranking = learnedRanking(parseLearnedChoices(decodeText(bytes).text), clockSeconds());
    memory.writable = true;
}

void rememberFindChoice(FindMemory& memory, const std::wstring& typed, const std::wstring& row) {
    readFindMemory(memory);
    if (!mayWrite(memory)) return;
    std::vector<LearnedChoice> choices = std::move(memory.ranking.choices);
    const uint64_t now = clockSeconds();
    const bool learned = learnChoice(choices, typed, row, now);
    memory.ranking = learnedRanking(std::move(choices), now);
    // A failed save keeps what was learned for this run; the file stays as it was.
    if (learned) writeLearnedFile(memoryPath(), memory.ranking.choices);
}

bool writeLearnedFile(const std::wstring& path, const std::vector<LearnedChoice>& choices) {
    return replaceFileContent(path, encodeText(formatLearnedChoices(choices), TextFormat::Utf8, true));
}

void forgetFindMemory(FindMemory& memory) {
    memory.read = true;
    memory.ranking = LearnedRanking{};
    if (programFolders.settingsReadOnly) return;
    // Asked for by the user: a file that could not be read goes as well.
    const std::wstring path = memoryPath();
    memory.writable = fileExists(path) ? deleteFile(path) : !folderExists(path);
}
