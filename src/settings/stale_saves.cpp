#include "settings/stale_saves.h"

#include "platform/files.h"
#include "platform/process.h"
#include "platform/text_case.h"
#include "settings/data_folder.h"

namespace {

bool isOwnFile(const std::wstring& name) {
    const std::wstring kvl = L".kvl";
    if (sameTextIgnoringCase(name, kSettingsFileName) || sameTextIgnoringCase(name, kFindMemoryFileName)) return true;
    return name.size() > kvl.size() && sameTextIgnoringCase(name.substr(name.size() - kvl.size()), kvl);
}

}  // namespace

int removeStaleSaves(const std::wstring& dataFolder) {
    int removed = 0;
    for (const std::wstring& name : listFiles(dataFolder, L"*.new")) {
        std::wstring target;
        uint32_t writer = 0;
        if (!parseSiblingTempName(name, target, writer) || !isOwnFile(target)) continue;
        const std::wstring path = withTrailingBackslash(dataFolder) + name;
        // Another instance may be writing it right now. A process that has the
        // writer's id but started after the file was last written got the id
        // once the writer had ended (this one too may have it).
        uint64_t written = 0;
        if (fileWriteTime(path, written) && processRunningSince(writer, written)) continue;
        if (deleteFile(path)) ++removed;
    }
    return removed;
}
