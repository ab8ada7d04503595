// The Start menu's and the desktop's shortcuts as the last part of Find's index.
#include <unordered_map>
#include <utility>

#include "launch/item_fields.h"
#include "launch/launch_item.h"
#include "find/find_index.h"
#include "find/find_learning.h"
#include "find/program_shortcuts.h"
#include "platform/shown_text.h"
#include "platform/text_case.h"
#include "store/item_definition.h"

namespace {

// Shortcuts by the folded file name of their target and of their own file:
// only an item whose command has such a file name can start one of them, so
// the full command is made only for those few.
using ShortcutsByName = std::unordered_map<std::wstring, std::vector<size_t>>;

ShortcutsByName shortcutsByName(const std::vector<ProgramShortcut>& shortcuts) {
    ShortcutsByName byName;
    for (size_t i = 0; i < shortcuts.size(); ++i) {
        byName[foldedForSearch(filePartOf(shortcuts[i].path))].push_back(i);
        if (!shortcuts[i].target.empty()) byName[foldedForSearch(filePartOf(shortcuts[i].target))].push_back(i);
    }
    return byName;
}

// Which shortcuts an item of a category starts already: its command, made
// absolute as a start makes it, is the shortcut's target or the shortcut itself.
// Such an item is found by the first of their names that is not its caption.
std::vector<bool> coveredShortcuts(FindIndex& index, const std::vector<ProgramShortcut>& shortcuts) {
    std::vector<bool> covered(shortcuts.size(), false);
    const ShortcutsByName byName = shortcutsByName(shortcuts);
    for (IndexedCategory& category : index.categories) {
        if (category.shortcuts) continue;
        for (IndexedItem& item : category.items) {
            const auto found = byName.find(item.foldedFileName);
            if (found == byName.end()) continue;
            const std::wstring command = splitDefinition(itemDefinition(item.item)).command;
            const std::wstring full = toLowerCase(toFullPath(expandVariables(command)));
            for (size_t i : found->second) {
                if (full != shortcuts[i].target && full != toLowerCase(shortcuts[i].path)) continue;
                covered[i] = true;
                if (item.alias >= 0) continue;
                SearchName alias = searchName(shownText(shortcuts[i].name));
                if (alias.folded.empty() || alias.folded == item.foldedCaption) continue;
                item.alias = static_cast<int32_t>(index.aliases.size());
                index.aliases.push_back(std::move(alias));
            }
        }
    }
    return covered;
}

}  // namespace

void placeShortcuts(FindIndex& index, const std::vector<ProgramShortcut>& shortcuts, const std::wstring& name) {
    if (!index.categories.empty() && index.categories.back().shortcuts) index.categories.pop_back();
    index.shortcutOfItem.clear();
    index.aliases.clear();
    for (IndexedCategory& category : index.categories)
        for (IndexedItem& item : category.items) item.alias = -1;
    if (shortcuts.empty()) return;
    const std::vector<bool> covered = coveredShortcuts(index, shortcuts);
    IndexedCategory place;
    place.name = name;
    place.shortcuts = true;
    for (size_t i = 0; i < shortcuts.size(); ++i) {
        const ProgramShortcut& shortcut = shortcuts[i];
        if (covered[i]) continue;
        IndexedItem indexed;
        indexed.caption = shownText(shortcut.name);
        if (indexed.caption.empty()) continue;
        // Started as an item whose command is the shortcut: the shell applies
        // its parameters, folder and show mode.
        indexed.item = categoryItem(shortcut.name, shortcut.path);
        prepareForMatching(indexed, filePartOf(shortcut.target.empty() ? shortcut.path : shortcut.target),
                           place.wordStarts);
        indexed.key = rowKeyHash(shortcutRowKey(shortcut.path));
        place.items.push_back(std::move(indexed));
        index.shortcutOfItem.push_back(i);
    }
    if (!place.items.empty()) index.categories.push_back(std::move(place));
}
