#include "find/program_shortcuts.h"

#include <unordered_map>
#include <utility>

#include "find/shortcut_icon.h"
#include "launch/launch_item.h"
#include "platform/shell_links.h"
#include "platform/text_case.h"

namespace {

// A Start menu holds a few hundred shortcuts in a few dozen groups; these
// bounds only keep a folder tree that is something else from taking Find's time.
constexpr int kDeepestGroup = 8;
constexpr size_t kMostFolders = 2000;
constexpr size_t kMostShortcuts = 5000;
// Shortcuts read between two reports of progress: a few dozen milliseconds.
constexpr size_t kTargetBatch = 100;

bool isShortcutName(const std::wstring& name) { return toLowerCase(extensionOf(name)) == L"lnk"; }

void readFolder(ProgramShortcuts& found, const ShortcutRoot& root, const std::wstring& folder,
                const std::wstring& group, int depth) {
    if (found.folders.size() >= kMostFolders) return;
    uint64_t time = 0;
    if (!fileWriteTime(folder, time)) return;
    found.folders.push_back(ProgramShortcuts::ReadFolder{folder, time});
    for (FolderEntry& entry : listFolder(folder)) {
        const std::wstring path = folder + L"\\" + entry.name;
        if (entry.folder) {
            // A junction may lead back up the tree.
            if (root.subfolders && !entry.link && depth < kDeepestGroup)
                readFolder(found, root, path, group.empty() ? entry.name : group + L" › " + entry.name, depth + 1);
            continue;
        }
        if (!isShortcutName(entry.name) || found.shortcuts.size() >= kMostShortcuts) continue;
        // Something else under a shortcut's name: not worth reading.
        if (entry.stamp.size > static_cast<uint64_t>(kLargestShortcutFile)) continue;
        ProgramShortcut shortcut;
        shortcut.path = path;
        shortcut.name = withoutExtension(entry.name);
        shortcut.place = shortcutPlace(root.placeName, group);
        shortcut.stamp = entry.stamp;
        found.shortcuts.push_back(std::move(shortcut));
    }
}

bool sameRoots(const std::vector<ShortcutRoot>& a, const std::vector<ShortcutRoot>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].path != b[i].path || a[i].placeName != b[i].placeName || a[i].subfolders != b[i].subfolders)
            return false;
    return true;
}

bool foldersChanged(const ProgramShortcuts& found) {
    for (const ProgramShortcuts::ReadFolder& folder : found.folders) {
        uint64_t time = 0;
        if (!fileWriteTime(folder.path, time) || time != folder.writeTime) return true;
    }
    return false;
}

// Targets of the shortcuts read before whose files did not change stay; the
// rest are read a batch at a time, `progress` told after each batch how many
// shortcuts from the first on have their targets.
void readTargets(std::vector<ProgramShortcut>& shortcuts, std::vector<ProgramShortcut>& before,
                 const ShortcutProgress& progress) {
    std::unordered_map<std::wstring, ProgramShortcut*> known;
    for (ProgramShortcut& old : before) known.emplace(old.path, &old);
    size_t done = 0;
    while (done < shortcuts.size()) {
        std::vector<std::wstring> files;
        std::vector<size_t> unread;
        size_t next = done;
        for (; next < shortcuts.size() && files.size() < kTargetBatch; ++next) {
            ProgramShortcut& shortcut = shortcuts[next];
            const auto old = known.find(shortcut.path);
            if (old != known.end() && old->second->stamp == shortcut.stamp) {
                shortcut.target = std::move(old->second->target);
                shortcut.icon = std::move(old->second->icon);
                continue;
            }
            files.push_back(shortcut.path);
            unread.push_back(next);
        }
        const std::vector<ShellLinkInfo> links = shellLinkTargets(files);
        for (size_t k = 0; k < unread.size(); ++k) {
            ProgramShortcut& shortcut = shortcuts[unread[k]];
            shortcut.target = toLowerCase(links[k].path);
            shortcut.icon = shortcutIconPlan(shortcut.path, links[k]);
        }
        done = next;
        if (progress.told) progress.told(done, progress.context);
    }
}

}  // namespace

std::wstring shortcutPlace(const std::wstring& placeName, const std::wstring& group) {
    return group.empty() ? placeName : placeName + L" › " + group;
}

bool refreshProgramShortcuts(ProgramShortcuts& found, const std::vector<ShortcutRoot>& roots,
                             const ShortcutProgress& progress) {
    if (found.read && sameRoots(found.roots, roots) && !foldersChanged(found)) return false;
    std::vector<ProgramShortcut> before = std::move(found.shortcuts);
    found.shortcuts.clear();
    found.folders.clear();
    found.roots = roots;
    found.read = true;
    for (const ShortcutRoot& root : roots) readFolder(found, root, root.path, std::wstring(), 0);
    readTargets(found.shortcuts, before, progress);
    return true;
}
