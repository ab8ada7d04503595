#include "launcher/find_mode.h"

#include "launch/item_fields.h"
#include "launch/launch_item.h"
#include "launch/launch_state.h"
#include "launcher/category_list.h"
#include "launcher/launcher_window.h"
#include "launcher/commands.h"
#include "platform/background_work.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "platform/shell_links.h"
#include "platform/text_case.h"
#include "platform/ui_controls.h"
#include "platform/ui_dialog_controls.h"
#include "platform/ui_item_view.h"
#include "platform/ui_result_view.h"
#include "platform/ui_search_field.h"
#include "platform/ui_windows.h"
#include "settings/data_folder.h"
#include "settings/general_settings.h"
#include "settings/language.h"
#include "store/category_store.h"

FindState findState;

namespace {

constexpr int kFieldTop = 6;
constexpr int kFieldHeight = 23;
constexpr int kShortcutsReadWork = 1;

int sizeSlot(IconSize size) { return size == IconSize::Large ? 0 : 1; }

bool rowTexts(int, int, int row, ResultRowTexts& texts) {
    const FindState& f = findState;
    if (row < 0 || static_cast<size_t>(row) >= f.results.size()) return false;
    const FindResult& result = f.results[static_cast<size_t>(row)];
    const IndexedCategory& category = f.index.categories[static_cast<size_t>(result.category)];
    texts.text = &category.items[static_cast<size_t>(result.item)].caption;
    const ProgramShortcut* shortcut = foundShortcutOfRow(row);
    texts.detail = shortcut ? &shortcut->place : &category.name;
    return true;
}

int rowImage(int, int, int row, IconSize size) {
    FindState& f = findState;
    const IndexedItem* found = foundItemOfRow(row);
    if (!found) return kRowImageNone;
    std::vector<int>& known = f.resultImages[sizeSlot(size)];
    int& image = known[static_cast<size_t>(row)];
    if (image != kRowImageLater) return image;
    // A shortcut's icon was planned as it was read, not from its item, whose
    // command is the shortcut file.
    const ProgramShortcut* shortcut = foundShortcutOfRow(row);
    ItemImageSet& set = f.images[sizeSlot(size)];
    image = shortcut ? plannedImageInSet(set, shortcut->icon) : itemImageInSet(set, found->item);
    return image;
}

void showResults() {
    FindState& f = findState;
    for (std::vector<int>& images : f.resultImages) images.assign(f.results.size(), kRowImageLater);
    // Rows with the icons of the category's view: large icons make tall rows.
    const IconSize size = launcherViewMode() == ItemViewMode::LargeIcons ? IconSize::Large : IconSize::Small;
    // Made when first needed, and anew on a display of another DPI.
    ItemImageSet& images = f.images[sizeSlot(size)];
    const int pixels = iconPixels(size, windowDpi(kLauncherWindow));
    if (images.pixels != pixels) images = newItemImageSet(std::wstring(), pixels);
    // A list left empty for a typed text would look as if Find were still at
    // work; an empty field is no search yet.
    const bool searched = f.foundText.find_first_not_of(L' ') != std::wstring::npos;
    showResultRows(kLauncherWindow, kLauncherFindView, size, images.list.handle, static_cast<int>(f.results.size()),
                   searched ? languageText(106) : std::wstring());
}

// Letters typed on narrow the results: the next search only looks at those
// found already, unless the index changed since.
void searchAgain(bool indexChanged) {
    FindState& f = findState;
    const std::wstring text = foldedForSearch(controlText(kLauncherWindow, kLauncherFindField));
    const bool narrower = !indexChanged && narrowsSearch(f.foundText, text);
    f.results = narrower ? findItemsAmong(f.index, f.results, text) : findItems(f.index, text);
    if (generalSettings.FindLearns) orderByLearning(f.results, f.index, f.memory.ranking, text);
    f.foundText = text;
    showResults();
}

std::vector<ShortcutRoot> shortcutRoots() {
    std::vector<ShortcutRoot> roots;
    if (!generalSettings.FindPrograms) return roots;
    for (const ShortcutFolder& folder : programShortcutFolders()) {
        const bool startMenu = folder.place == ShortcutPlace::StartMenu;
        roots.push_back(ShortcutRoot{folder.path, languageText(startMenu ? 100 : 101), startMenu});
    }
    return roots;
}

// After the categories: which shortcuts their items start already may change
// with them.
void placeProgramShortcuts() {
    FindState& f = findState;
    placeShortcuts(f.index, f.shortcuts.shortcuts, languageText(100));
}

// On a thread of its own, unless there is nothing to read or no thread to be had.
void startReadingShortcuts() {
    FindState& f = findState;
    takeReadShortcuts(f.reader, f.shortcuts);
    const std::vector<ShortcutRoot> roots = shortcutRoots();
    if (roots.empty() || !startShortcutReading(f.reader, f.shortcuts, roots,
                                               workNoticeFor(kLauncherWindow, kShortcutsReadWork)))
        refreshProgramShortcuts(f.shortcuts, roots);
}

// Categories may have come or gone since the list was made, and files changed;
// so may the shortcuts.
void indexCategories() {
    FindState& f = findState;
    CategoryNavigation& nav = categoryNavigation;
    nav.categorySetChanged = true;
    RebuildCategoryList(nav, programFolders.dataFolder, languageText(21));
    refreshFindIndex(f.index, searchedCategories(nav.categoryList, nav.startupCategory), programDriveLetters());
    startReadingShortcuts();
    placeProgramShortcuts();
    if (generalSettings.FindLearns) readFindMemory(f.memory);
}

// The name of the category of a row's item; empty for a shortcut.
std::wstring foundCategoryOfRow(int row) {
    const FindState& f = findState;
    if (!foundItemOfRow(row) || foundShortcutOfRow(row)) return std::wstring();
    return f.index.categories[static_cast<size_t>(f.results[static_cast<size_t>(row)].category)].name;
}

void showFindControls(bool find) {
    setControlVisible(kLauncherWindow, kLauncherTitleStrip, !find);
    setControlVisible(kLauncherWindow, kLauncherItemView, !find);
    setControlVisible(kLauncherWindow, kLauncherFindField, find);
    setControlVisible(kLauncherWindow, kLauncherFindView, find);
    // File menus open beside the chosen row of the list in sight.
    launchState.itemListControl = find ? kLauncherFindView : kLauncherItemView;
    setFocusTo(kLauncherWindow, find ? kLauncherFindField : kLauncherItemView);
}

}  // namespace

bool CreateFindControls() {
    const ControlBox strip = controlBox(kLauncherWindow, kLauncherTitleStrip);
    const ControlBox view = controlBox(kLauncherWindow, kLauncherItemView);
    setResultRowSource(rowTexts, rowImage);
    const SearchFieldKeys keys{kCommandLaunch, kCommandLeaveFind, kCommandLeaveFind, kCommandContextMenu};
    if (!addSearchField(kLauncherWindow, kLauncherFindField, kLauncherFindView, keys, strip.x, kFieldTop, strip.width,
                        kFieldHeight, languageText(96)))
        return false;
    // The strip's own font keeps its fixed height: a large category font would not fit.
    setControlFont(kLauncherWindow, kLauncherFindField, launcherWindow.fonts[kDialogFont].handle);
    return addResultView(kLauncherWindow, kLauncherFindView, view.x, view.y, view.width, view.height);
}

void OpenFind() {
    FindState& f = findState;
    indexCategories();
    if (f.open) {
        // Brought back (the hotkey) after a while: the rows show the files as they are now.
        searchAgain(true);
        setFocusTo(kLauncherWindow, kLauncherFindField);
        selectFieldText(kLauncherWindow, kLauncherFindField);
        return;
    }
    f.open = true;
    f.results.clear();
    f.foundText.clear();
    for (ItemImageSet& set : f.images) set = ItemImageSet{};
    setItemViewLook(kLauncherWindow, kLauncherFindView, categoryStore.style.font.handle, categoryStore.style.textColor,
                    categoryStore.style.backgroundColor);
    setControlText(kLauncherWindow, kLauncherFindField, std::wstring());
    showResults();
    LayoutLauncherWindow();
    showFindControls(true);
}

void CloseFind() {
    FindState& f = findState;
    if (!f.open) return;
    f.open = false;
    showFindControls(false);
    showResultRows(kLauncherWindow, kLauncherFindView, IconSize::Small, nullptr, 0, std::wstring());
    f.results.clear();
    f.foundText.clear();
    for (ItemImageSet& set : f.images) set = ItemImageSet{};
}

void FindTextChanged() {
    FindState& f = findState;
    if (!f.open) return;
    const bool changed = refreshChangedCategories(f.index, programDriveLetters());
    if (changed) placeProgramShortcuts();
    searchAgain(changed);
}

void FindShortcutsRead() {
    FindState& f = findState;
    // The chosen row is the user's: it stays chosen wherever the rows that
    // join put it.
    const IndexedItem* chosen = f.open ? foundItemOfRow(selectedItemRow(kLauncherWindow, kLauncherFindView)) : nullptr;
    const uint64_t chosenKey = chosen ? chosen->key : 0;
    if (!takeReadShortcuts(f.reader, f.shortcuts)) return;
    placeProgramShortcuts();
    if (!f.open) return;
    searchAgain(true);
    if (!chosen) return;
    for (size_t row = 0; row < f.results.size(); ++row)
        if (foundItemOfRow(static_cast<int>(row))->key == chosenKey) {
            if (row != 0) selectItemRow(kLauncherWindow, kLauncherFindView, static_cast<int>(row));
            return;
        }
}

void RefreshFind() {
    if (!findState.open) return;
    indexCategories();
    searchAgain(true);
}

const ProgramShortcut* foundShortcutOfRow(int row) {
    const FindState& f = findState;
    if (row < 0 || static_cast<size_t>(row) >= f.results.size()) return nullptr;
    const FindResult& result = f.results[static_cast<size_t>(row)];
    if (!f.index.categories[static_cast<size_t>(result.category)].shortcuts) return nullptr;
    return &f.shortcuts.shortcuts[f.index.shortcutOfItem[static_cast<size_t>(result.item)]];
}


const IndexedItem* foundItemOfRow(int row) {
    const FindState& f = findState;
    if (row < 0 || static_cast<size_t>(row) >= f.results.size()) return nullptr;
    const FindResult& result = f.results[static_cast<size_t>(row)];
    return &f.index.categories[static_cast<size_t>(result.category)].items[static_cast<size_t>(result.item)];
}

int LaunchFoundItem() {
    const int row = selectedItemRow(kLauncherWindow, kLauncherFindView);
    const IndexedItem* found = foundItemOfRow(row);
    if (!found) return kLaunchNothing;
    FindState& f = findState;
    const FindResult& result = f.results[static_cast<size_t>(row)];
    const ProgramShortcut* shortcut = foundShortcutOfRow(row);
    // A row may show what its file no longer holds: rather than start what the
    // user did not see, the rows are brought up to the files, and the beep
    // says that Enter did nothing this time and asks for another look.
    if (shortcut && !fileExists(shortcut->path)) {
        RefreshFind();
        beep();
        return kLaunchNothing;
    }
    if (categoryFileChanged(f.index.categories[static_cast<size_t>(result.category)])) {
        FindTextChanged();
        beep();
        return kLaunchNothing;
    }
    const std::wstring category = foundCategoryOfRow(row);
    // Copies: a launch may show a message, and the index must not change under it.
    const CategoryItem item = found->item;
    const std::wstring typed = f.foundText;
    const std::wstring rowKey = shortcut ? shortcutRowKey(shortcut->path) : itemRowKey(category, itemText(item), itemDefinition(item));
    prepareLaunch(item, launchState.launchRecord);
    const int launched = launchItem(false);
    if (launched & (kLaunchStarted | kLaunchCategorySwitch)) rememberFindChoice(f.memory, typed, rowKey);
    // The editor, asked for after a failed start, opens the item's own category
    // (a shortcut's, the category shown).
    if ((launched & kLaunchEnterEditor) && !category.empty()) categoryNavigation.targetCategory = category;
    return launched;
}
