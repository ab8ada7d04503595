#include "find/shortcut_icon.h"

#include <cstdint>

#include "platform/drives.h"
#include "platform/environment.h"
#include "platform/files.h"

namespace {

bool isAbsolutePath(const std::wstring& path) {
    return (path.size() >= 2 && path[1] == L':') || path.starts_with(L"\\\\");
}

std::wstring folderOf(const std::wstring& file) {
    const size_t slash = file.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : file.substr(0, slash + 1);
}

// A setting may name a file that went with its program; an empty file holds no icon.
bool holdsIcons(const std::wstring& file) {
    uint64_t size = 0;
    return !file.empty() && !mayWaitToAnswer(file) && fileSize(file, size) && size > 0;
}

}  // namespace

IconPlan shortcutIconPlan(const std::wstring& linkFile, const ShellLinkInfo& link) {
    IconPlan plan;
    if (mayWaitToAnswer(link.path)) {
        plan.defaultIcon = true;
        return plan;
    }
    std::wstring iconFile = expandEnvironment(link.iconFile);
    if (!iconFile.empty() && !isAbsolutePath(iconFile)) iconFile = folderOf(linkFile) + iconFile;
    if (holdsIcons(iconFile)) {
        plan.sourceFile = iconFile;
        plan.sourceIndex = link.iconIndex;
    } else if (holdsIcons(link.path)) {
        plan.sourceFile = link.path;
    }
    // The shell knows a document's or a folder's icon by its type; what it
    // shows for a shortcut itself is a blank page under Wine.
    const bool targetThere = !link.path.empty() && fileAttributes(link.path) != kNoFileAttributes;
    plan.shellPath = targetThere ? link.path : linkFile;
    return plan;
}
