#include "launcher/launcher_loop.h"

#include "launch/item_fields.h"
#include "launch/launch_item.h"
#include "launch/launch_state.h"
#include "launcher/category_list.h"
#include "launcher/commands.h"
#include "launcher/edge_hide.h"
#include "launcher/find_menu.h"
#include "launcher/find_mode.h"
#include "launcher/launcher_menus.h"
#include "launcher/launcher_window.h"
#include "launcher/window_modes.h"
#include "platform/shell.h"
#include "platform/tray_icon.h"
#include "platform/ui_controls.h"
#include "platform/ui_events.h"
#include "platform/ui_item_view.h"
#include "platform/ui_windows.h"
#include "settings/data_folder.h"
#include "settings/general_settings.h"
#include "settings/language.h"
#include "settings_dialog/common_menu.h"
#include "store/category_store.h"

LauncherLoop launcherLoop;

namespace {

constexpr int kNoCommand = 0;
constexpr unsigned kStripClickDelay = 500;
constexpr unsigned kCategoryMenuPause = 300;
// How long after the press a release still counts as the same click.
constexpr unsigned kEdgeClickRelease = 2000;

bool windowInNormalState() {
    return !windowMinimized(kLauncherWindow) && !windowMaximized(kLauncherWindow);
}

void refillLauncherView() { RefillItemView(ItemViewForm::Launcher, kLauncherWindow, kLauncherItemView); }

int onMenuEntry(int number, unsigned now) {
    LauncherLoop& loop = launcherLoop;
    if (number < kFirstMenuEntry) {
        if (!handleCommonMenu(number)) return number;
        if (number == kCommandLargeIcons || number == kCommandFont) {
            refillLauncherView();
            FindTextChanged();
        }
        return kNoCommand;
    }
    const size_t position = static_cast<size_t>(number - kFirstMenuEntry);
    if (launchState.popupMenuMode == kMenuModeFileMenu) {
        launchFileMenuEntry(static_cast<int>(position));
        if (generalSettings.AutoClose) loop.edge.autoCloseStart = now;
        return kNoCommand;
    }
    if (launchState.popupMenuMode == kMenuModeAddToCategory) {
        AddFoundRowToCategory(static_cast<int>(position));
        return kNoCommand;
    }
    const std::vector<std::wstring>& list = categoryNavigation.categoryList;
    if (launchState.popupMenuMode != kMenuModeCategoryEntries || position >= list.size()) return kNoCommand;
    categoryNavigation.targetCategory = list[position];
    loop.result = kLoopShowCategory;
    if (list[position] == categoryNavigation.startupCategory && !keyHeld(kKeyControl)) loop.result = kLoopConfiguration;
    if (windowMinimized(kLauncherWindow)) showWindow(kLauncherWindow, WindowShow::ShowInactive);
    return kNoCommand;
}

int onFoundItemClick(const UiEvent& event) {
    if (event.code == kRightClick) return kCommandContextMenu;
    if (event.data < 0) return kNoCommand;
    return event.code == kLeftDoubleClick || (event.code == kLeftClick && generalSettings.SingleClick == 1)
               ? kCommandLaunch
               : kNoCommand;
}

int onItemViewClick(const UiEvent& event) {
    if (event.control == kLauncherFindView) return onFoundItemClick(event);
    if (event.data >= 0) {
        categoryStore.selectedItem = event.data;
        if (event.code == kLeftDoubleClick || (event.code == kLeftClick && generalSettings.SingleClick == 1))
            return kCommandLaunch;
    }
    if (event.code != kRightClick) return kNoCommand;
    if (keyHeld(kKeyControl) && !programFolders.settingsReadOnly) {
        openItemFolder();
        return kNoCommand;
    }
    return kCommandContextMenu;
}

void onPointerMove(const UiEvent& event) {
    LauncherLoop& loop = launcherLoop;
    // Dragging in the item view is the view's own business; a drag that began on
    // the strip goes on moving the window when it crosses the view.
    if (event.control == kLauncherItemView && !loop.pointerRecorded) return;
    if (loop.pointerRecorded && (event.x != loop.pointerX || event.y != loop.pointerY)) {
        loop.pendingClick = 0;
        loop.pointerRecorded = false;
        beginWindowDrag(kLauncherWindow);
        return;
    }
    loop.pointerRecorded = true;
    loop.pointerX = event.x;
    loop.pointerY = event.y;
}

int onKey(const UiEvent& event) {
    const bool modified = keyHeld(kKeyShift) || keyHeld(kKeyControl);
    if (!loneAltReleased(launcherLoop.alt, event.code, event.data == 1, modified)) return kNoCommand;
    return generalSettings.ALTmenu && windowIsForeground(kLauncherWindow) ? kCommandCategoryMenu : kNoCommand;
}

int onTimer(const UiEvent& event, unsigned now) {
    if (event.code != kLauncherTimer) return kNoCommand;
    if (generalSettings.Stayontop) keepWindowOnTop(kLauncherWindow);
    // At logon the shell's taskbar may come later than the program.
    if (generalSettings.SystemTray) retryTrayIcon();
    FollowWorkAreaChange();
    // Neither auto-hide nor auto close acts on a minimised or maximised window.
    return windowInNormalState() ? edgeTick(launcherLoop.edge, now) : kNoCommand;
}

// The hotkey that brings the window up goes on to Find when it is open or
// when the user wants the hotkey to open it.
int onHotkey(const UiEvent& event) {
    if (event.code != kLauncherHotkey) return kNoCommand;
    const int command = ToggleLauncherWindow(kLauncherHotkey);
    if (command == kCommandNothingFurther && (findState.open || generalSettings.FindOnHotkey)) OpenFind();
    return command;
}

// The release of the right button whose press brought the window back from
// its edge: taken once, and only while it can still belong to that press.
bool edgeClickTaken(unsigned now) {
    LauncherLoop& loop = launcherLoop;
    const bool taken = loop.edgeClickUntil != 0 && static_cast<int>(loop.edgeClickUntil - now) > 0;
    loop.edgeClickUntil = 0;
    return taken;
}

int translateEvent(const UiEvent& event, unsigned now) {
    LauncherLoop& loop = launcherLoop;
    switch (event.kind) {
        case UiEventKind::Menu:
            // Escape in the list of found items leaves Find, as it does in the field.
            if (findState.open && event.code == kCommandCloseRequest) return kCommandLeaveFind;
            return onMenuEntry(event.code, now);
        case UiEventKind::ItemView:
            if (event.code == kRightClick && edgeClickTaken(now)) return kNoCommand;
            return onItemViewClick(event);
        case UiEventKind::ControlClick:
            if (event.control >= kLauncherTitleStrip && event.control <= kLauncherCloseGlyph) {
                loop.pendingClick = event.control;
                loop.pendingDue = now + kStripClickDelay;
            }
            return kNoCommand;
        case UiEventKind::Tray:
            if (event.code == kRightClick) {
                ShowTrayMenu();
                return kNoCommand;
            }
            return kCommandToggleWindow;
        case UiEventKind::Moved:
            if (windowInNormalState()) LayoutLauncherWindow();
            return kNoCommand;
        case UiEventKind::CloseRequest: return kCommandCloseRequest;
        case UiEventKind::WorkProgress:
            FindShortcutsRead();
            return kNoCommand;
        // Another instance only ever asks this one to exit; any other number
        // posted from outside is not for us to run.
        case UiEventKind::UserMessage: return event.code == kCommandExit ? kCommandExit : kNoCommand;
        // A window that sticks out of the work area (hidden at an edge) comes
        // back first; the menu opens on a later click.
        case UiEventKind::RightButtonUp:
            if (edgeClickTaken(now)) return kNoCommand;
            return ShowFromEdge() ? kNoCommand : kCommandContextMenu;
        case UiEventKind::FrameRightButtonDown:
            if (ShowFromEdge()) loop.edgeClickUntil = now + kEdgeClickRelease;
            loop.edge.mouseOver = now;
            return kNoCommand;
        case UiEventKind::Hotkey: return onHotkey(event);
        case UiEventKind::FilesDropped:
            if (generalSettings.AllowDrop && !programFolders.settingsReadOnly)
                addDroppedFiles(event.files);
            else
                beep();
            return kNoCommand;
        case UiEventKind::LeftButtonUp:
            loop.pendingDue = now - 1;
            loop.pointerRecorded = false;
            return kNoCommand;
        case UiEventKind::LeftDragMove: onPointerMove(event); return kNoCommand;
        case UiEventKind::Key: return onKey(event);
        case UiEventKind::Other:
            // A click with Alt held is Alt+click, not a lone Alt.
            loop.alt.alone = false;
            return kNoCommand;
        case UiEventKind::Timer: return onTimer(event, now);
        case UiEventKind::ControlChanged:
            if (event.control == kLauncherFindField && event.code != kFieldLeft) FindTextChanged();
            return kNoCommand;
        // Icons of the new display's size.
        case UiEventKind::ScaleChanged:
            refillLauncherView();
            FindTextChanged();
            return kNoCommand;
        case UiEventKind::WorkAreaChanged: FollowWorkArea(); return kNoCommand;
    }
    return kNoCommand;
}

// A click on the strip waits until the button is released or half a second has
// passed, so that pressing and dragging can move the window instead.
int commandWithoutEvent(unsigned now) {
    LauncherLoop& loop = launcherLoop;
    if (!loop.pendingClick || static_cast<int>(now - loop.pendingDue) <= 0) return kNoCommand;
    const int control = loop.pendingClick;
    loop.pendingClick = 0;
    return control;
}

void afterLaunch(int launched, unsigned now) {
    if (launched & kLaunchStarted) {
        if (generalSettings.AutoClose && !keyHeld(kKeyControl)) launcherLoop.edge.autoCloseStart = now;
        return;
    }
    launcherLoop.result |= launched;
}

void launchSelectedItem(unsigned now) {
    const int row = selectedItemRow(kLauncherWindow, kLauncherItemView);
    if (row < 0) return;
    const int position = itemRowData(kLauncherWindow, kLauncherItemView, row);
    if (position < 0 || position >= static_cast<int>(categoryStore.items.size())) return;
    categoryStore.selectedItem = position;
    const CategoryItem& item = categoryStore.items[static_cast<size_t>(position)];
    if (itemDefinition(item).empty()) return;
    prepareLaunch(item, launchState.launchRecord);
    afterLaunch(launchItem(false), now);
}

void showCategoryMenuOnce() {
    LauncherLoop& loop = launcherLoop;
    if (launcherWindow.hiddenAtEdge || tickCount() - loop.categoryMenuClosed <= kCategoryMenuPause) return;
    refreshSettingsReadOnly(programFolders);
    ShowCategoryMenu();
    loop.categoryMenuClosed = tickCount();
}

// Commands that stand for another one are turned into it first.
int carryOut(int command, unsigned now) {
    LauncherLoop& loop = launcherLoop;
    // The way back from the found items is the category shown before them.
    if (findState.open && command == kCommandPreviousCategory) command = kCommandLeaveFind;
    switch (command) {
        case kCommandLaunch:
            if (findState.open)
                afterLaunch(LaunchFoundItem(), now);
            else
                launchSelectedItem(now);
            break;
        case kCommandFind:
            // The tray menu offers Find while the launcher is put away.
            BringLauncherUp();
            OpenFind();
            break;
        case kCommandLeaveFind: CloseFind(); break;
        case kCommandCloseRequest:
        case kCommandCloseGlyph: command = generalSettings.SystemTray ? kCommandMinimize : kCommandExit; break;
        case kCommandToggleWindow:
            command = ToggleLauncherWindow(kCommandToggleWindow);
            // The keys go on into the field, not into the hidden item view.
            if (command == kCommandNothingFurther && findState.open) OpenFind();
            break;
        case kCommandPreviousCategory:
            categoryNavigation.targetCategory = StepBackVisited(categoryNavigation);
            loop.result = kLoopShowCategory;
            break;
        case kCommandNextCategory:
            categoryNavigation.targetCategory = NextCategory(categoryNavigation, categoryStore.loadedCategory);
            loop.result = kLoopShowCategory;
            break;
        case kCommandNewCategory:
            categoryNavigation.targetCategory = languageText(20);
            loop.result = kLoopConfiguration;
            break;
        case kCommandConfiguration: loop.result = kLoopConfiguration; break;
        case kCommandContextMenu:
            loop.edge.mouseOver = 0;
            if (findState.open)
                ShowFindMenu();
            else
                ShowContextMenu();
            break;
        case kCommandForgetFind: ForgetFindLearning(); break;
        case kCommandTransparency:
            generalSettings.Transparent = generalSettings.Transparent ? 0 : 1;
            ApplyTransparency();
            break;
        case kCommandTitleBar:
            if (programFolders.settingsReadOnly) break;
            generalSettings.TitleBar = generalSettings.TitleBar ? 0 : 1;
            ApplyWindowStyle(kStyleFrame);
            break;
        case kCommandCategoryMenu: showCategoryMenuOnce(); break;
        default: break;
    }
    if (command == kCommandMinimize) {
        minimizeLauncherWindow();
        loop.edge.mouseOver = 0;
    }
    if (command == kCommandExit) loop.result = kLoopExit;
    return loop.result;
}

}  // namespace

bool loneAltReleased(LoneAlt& alt, int key, bool pressed, bool shiftOrControlHeld) {
    if (key != kKeyAlt) {
        if (pressed) alt.alone = false;
        return false;
    }
    if (pressed) {
        // A held key repeats its press; the first one decides.
        if (!alt.down) alt.alone = !shiftOrControlHeld;
        alt.down = true;
        return false;
    }
    const bool released = alt.down && alt.alone && !shiftOrControlHeld;
    alt = LoneAlt{};
    return released;
}

int RunLauncherLoop() {
    launcherLoop = LauncherLoop{};
    setFocusTo(kLauncherWindow, kLauncherItemView);
    while (launcherLoop.result == kLoopKeepRunning) {
        UiEvent event;
        if (!waitEvent(event)) return kLoopExit;
        const unsigned now = tickCount();
        if (event.windowId != kLauncherWindow) continue;
        int command = translateEvent(event, now);
        if (launcherLoop.result != kLoopKeepRunning) break;
        if (command == kNoCommand) command = commandWithoutEvent(now);
        carryOut(command, now);
    }
    // Whatever comes next (another category, the editor) shows the category view.
    CloseFind();
    return launcherLoop.result;
}
