#pragma once
// The shortcuts of the Start menu and of the desktop: the programs of the
// computer, which Find offers beside the items of the categories.
#include <cstdint>
#include <string>
#include <vector>

#include "launch/item_icons.h"
#include "platform/files.h"
#include "platform/shell_links.h"

struct ProgramShortcut {
    std::wstring path;    // of the shortcut file
    std::wstring name;    // its file name without the extension
    std::wstring place;   // where it lives: "Start menu › Accessories", "Desktop"
    FileStamp stamp;
    std::wstring target;  // as the shortcut stores it, in lower case; empty when unreadable
    IconPlan icon{};      // where its row's icon comes from (shortcutIconPlan)
};

// A folder whose shortcuts are offered, named as the user knows it.
struct ShortcutRoot {
    std::wstring path;
    std::wstring placeName;
    bool subfolders = false;  // the Start menu's are its groups; the desktop's are the user's own folders
};

struct ProgramShortcuts {
    std::vector<ShortcutRoot> roots;  // as they were read
    struct ReadFolder {
        std::wstring path;
        uint64_t writeTime = 0;  // changes when an entry comes, goes or is renamed
    };
    std::vector<ReadFolder> folders;
    std::vector<ProgramShortcut> shortcuts;
    bool read = false;
};

// Told, from the thread that reads, how many shortcuts from the first on are
// read whole (their targets too).
struct ShortcutProgress {
    void (*told)(size_t shortcutsRead, void* context) = nullptr;
    void* context = nullptr;
};

// Reads the folders when first asked, and again only when one of them (a group
// too) changed since or the roots are others: a few queries otherwise. A folder
// that cannot be read is passed over in silence. The targets of shortcuts read
// before and unchanged are kept; only the new ones are opened, and a file larger
// than any shortcut is left out. True when the list of shortcuts changed.
// Touches nothing but its arguments: it may run on a thread of its own.
bool refreshProgramShortcuts(ProgramShortcuts& found, const std::vector<ShortcutRoot>& roots,
                             const ShortcutProgress& progress = ShortcutProgress());

// "Start menu", "Accessories" → "Start menu › Accessories".
std::wstring shortcutPlace(const std::wstring& placeName, const std::wstring& group);
