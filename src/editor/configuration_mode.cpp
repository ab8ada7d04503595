#include "editor/configuration_mode.h"

#include "editor/category_naming.h"
#include "editor/editor_loop.h"
#include "editor/editor_window.h"
#include "editor/item_editing.h"
#include "launch/launch_state.h"
#include "launcher/category_list.h"
#include "launcher/launcher_window.h"
#include "platform/files.h"
#include "platform/ui_windows.h"
#include "settings/data_folder.h"
#include "settings/general_settings.h"
#include "store/category_file.h"
#include "store/category_store.h"
#include "store/category_window.h"

namespace {

constexpr int W = kEditorWindow;

void placeEditorWindow() {
    // On the launcher's monitor; placing it keeps it whole there.
    const LauncherGeometry& g = categoryStore.geometry;
    const ScreenPoint at = editorWindowPosition(g.x, g.y, workAreaOf(kLauncherWindow));
    placeWindow(W, at.x, at.y, kEditorInnerWidth, kEditorInnerHeight);
}

// Loads the category asked for, or the current one again from its file.
void loadEditedCategory() {
    CategoryStore& store = categoryStore;
    CategoryNavigation& nav = categoryNavigation;
    const bool requested = !nav.targetCategory.empty();
    std::wstring name = requested ? nav.targetCategory : store.loadedCategory;
    nav.targetCategory.clear();
    const std::wstring path = categoryFilePathOf(name);
    const bool read = loadCategory(store, name, programDriveLetters());
    if (requested) PushVisited(nav, store.loadedCategory);
    // A file that is there but could not be read (a folder by that name too)
    // must not be written over.
    editorState.fileUnreadable = !read && !path.empty() && fileAttributes(path) != kNoFileAttributes;
    applyCategoryWindow(store, settingsDocument, generalSettings, workAreaOf(kLauncherWindow),
                        nav.visitedCategories.size());
    ApplyCategoryLook();
}

// At the end of the session the process may be killed at any moment: the
// category is saved rather than lost, with an accepted edit in it if it can be.
void saveAtSessionEnd() {
    EditorState& e = editorState;
    if (e.pendingEdit && !acceptItem(e, categoryStore, programFolders.dataFolder)) e.pendingEdit = false;
    if (!e.modified || e.fileUnreadable || categoryStore.categoryFilePath.empty()) return;
    if (saveCategoryFile(categoryStore, categoryStore.categoryFilePath)) e.modified = false;
}

void openEditor() {
    placeEditorWindow();
    bindSessionEndHandler(W, saveAtSessionEnd);
    launchState.ownerWindowId = W;
    launchState.itemListControl = kItemList;
    launchState.editorOpen = true;
    showWindow(W, WindowShow::Show);
    bringWindowToFront(W);
}

void closeEditor() {
    clearWorkingCopy(editorState);
    closeWindow(W);
    launchState.ownerWindowId = kLauncherWindow;
    launchState.itemListControl = kLauncherItemView;
    launchState.editorOpen = false;
}

}  // namespace

bool RunConfigurationMode() {
    EditorState& e = editorState;
    e = EditorState{};
    if (!openEditorWindow()) {
        closeWindow(W);
        return true;
    }
    openEditor();
    CategoryStore& store = categoryStore;
    // Items the launcher could not write are taken as they are, to be saved here.
    bool startModified = store.unsavedItems && categoryNavigation.targetCategory.empty();
    int exitCode = 0;
    do {
        if (startModified)
            ApplyCategoryLook();
        else
            loadEditedCategory();
        store.selectedItem = store.items.empty() ? -1 : 0;
        e.editedCategoryName = store.loadedCategory;
        e.tempItemsTaken = 0;
        exitCode = RunEditorLoop(startModified);
        startModified = false;
        if (exitCode & kExitDiscard) loadEditedCategory();
        if (store.items.empty() && !e.fileUnreadable && !store.loadedCategory.empty()) deleteEmptyCategory();
    } while ((exitCode & kExitSwitch) && !e.closeProgram);
    closeEditor();
    return !e.closeProgram;
}
