#include "editor/configuration_mode.h"

#include "launch/launch_state.h"
#include "launcher/category_list.h"
#include "launcher/launcher_window.h"
#include "platform/shell.h"
#include "platform/ui_events.h"
#include "platform/ui_windows.h"
#include "settings/language.h"
#include "store/category_store.h"

// The editor window stands empty for now: it opens on the category's name and
// closes with its close box or Escape.
void RunConfigurationMode() {
    const std::wstring& target = categoryNavigation.targetCategory;
    const std::wstring name = target.empty() ? categoryStore.loadedCategory : target;
    WindowSpec spec{220, 120, 560, 420, languageText(5) + L" - " + name, false};
    if (!openWindow(kEditorWindow, spec)) return;
    const Shortcut closeKey{0, kKeyEscape, 1};
    setWindowShortcuts(kEditorWindow, &closeKey, 1);
    launchState.ownerWindowId = kEditorWindow;
    launchState.editorOpen = true;
    showWindow(kEditorWindow, WindowShow::Show);
    bringWindowToFront(kEditorWindow);
    UiEvent event;
    while (waitEvent(event)) {
        if (event.windowId != kEditorWindow) continue;
        if (event.kind == UiEventKind::CloseRequest || (event.kind == UiEventKind::Menu && event.code == 1)) break;
    }
    closeWindow(kEditorWindow);
    launchState.ownerWindowId = kLauncherWindow;
    launchState.editorOpen = false;
    // Leaving without a switch: the launcher goes on with what it showed.
    categoryNavigation.targetCategory.clear();
}
