#include "settings_dialog/settings_dialog.h"

#include <vector>

#include "launch/launch_state.h"
#include "launch/modal_owner.h"
#include "launcher/commands.h"
#include "launcher/edge_hide.h"
#include "launcher/launcher_menus.h"
#include "launcher/launcher_window.h"
#include "launcher/window_modes.h"
#include "platform/centered_message_box.h"
#include "platform/shell.h"
#include "platform/tray_icon.h"
#include "platform/ui_controls.h"
#include "platform/ui_dialog_controls.h"
#include "platform/ui_events.h"
#include "platform/ui_windows.h"
#include "settings/data_folder.h"
#include "settings/general_settings.h"
#include "settings/language.h"
#include "settings_dialog/common_menu.h"
#include "settings_dialog/hotkey_value.h"
#include "settings_dialog/settings_window.h"
#include "settings_dialog/startup_shortcut.h"
#include "store/category_store.h"

namespace {

constexpr int W = kSettingsWindow;
constexpr uint32_t kReleaseHotkey = 0x80000000u;
constexpr uint32_t kRestoreHotkey = 0x40000000u;
// Below 6 the settings file reads a delay as seconds.
constexpr int kSmallestDelay = 6;

// What one run of the dialog keeps.
struct DialogRun {
    ModalOwner modal;
    int ownerItemList = kLauncherItemView;
    ShortcutFound shortcut;
    bool takenOver = false;  // Ok took the settings over (its hotkey may still be refused)
    int styleParts = 0;      // window-mode parts changed
    bool singleColumnChanged = false;
    // A first hotkey with the tray off would die with the first Escape, which
    // ends Kivo: the dialog offers the tray (and Find) with it, once.
    bool trayOffered = false;
};

enum class Outcome { Open, Accepted, Cancelled };

// The check boxes whose clicks the enable rules follow.
bool ruleBox(int control) {
    switch (control) {
        case kVarDriveBox:
        case kStartupBox:
        case kKeepCornerBox:
        case kHotkeyBox:
        case kTrayBox:
        case kToolWindowBox:
        case kAutoHideBox: return true;
        default: return false;
    }
}

void refuseField(int control) {
    beep();
    setFocusTo(W, control);
    selectFieldText(W, control);
}

// Ticked where the user sees them, so that they can still be unticked before Ok.
void offerTrayWithHotkey(DialogRun& run) {
    run.trayOffered = true;
    if (isChecked(W, kTrayBox)) return;
    setChecked(W, kTrayBox, true);
    setChecked(W, kFindOnHotkeyBox, true);
    applySettingsRules(run.shortcut.foreign);
}

void onHotkeyChanged(DialogRun& run) {
    const uint32_t field = hotkeyFieldValue(W, kHotkeyField);
    uint32_t stored = 0;
    // Ctrl pressed on the way to Ctrl+K is not a refusal yet.
    const bool incomplete = hotkeyFieldIncomplete(field);
    const bool accepted = !incomplete && acceptHotkeyField(field, stored);
    showHotkeyVerdict(!incomplete && !accepted);
    if (!incomplete && !accepted) beep();
    if (accepted && stored != 0 && !run.trayOffered) offerTrayWithHotkey(run);
}

void showHelpMenu() { PopupMenuAt(kHelpMenu, W, kHelpButton); }

// The numbers first, so that a refused one leaves every setting as it was.
bool readNumbers(int& delay, int& slideSpeed) {
    if (!parseFieldNumber(controlText(W, kDelayField), kHighestDelay, delay)) {
        refuseField(kDelayField);
        return false;
    }
    if (!parseFieldNumber(controlText(W, kSlideSpeedField), kHighestSlideSpeed, slideSpeed)) {
        refuseField(kSlideSpeedField);
        return false;
    }
    return true;
}

void takeOverSettings(DialogRun& run, int delay, int slideSpeed) {
    GeneralSettings& s = generalSettings;
    const int titleBar = isChecked(W, kHideTitleBarBox) ? 0 : 1;
    const int tray = isChecked(W, kTrayBox) ? 1 : 0;
    const int toolStyle = (s.ToolBarStyle & ~1) | (isChecked(W, kToolWindowBox) ? 1 : 0);
    if (titleBar != s.TitleBar || tray != s.SystemTray) run.styleParts |= kStyleFrame;
    if (toolStyle != s.ToolBarStyle) run.styleParts |= kStyleToolWindow;
    s.TitleBar = titleBar;
    s.SystemTray = tray;
    s.ToolBarStyle = toolStyle;

    const int singleColumn = isChecked(W, kSingleColumnBox) ? 1 : 0;
    if (singleColumn != s.SingleColumn) run.singleColumnChanged = true;
    s.SingleColumn = singleColumn;
    s.VarDrive = isChecked(W, kVarDriveBox) ? 1 : 0;
    s.AutoEdgeHide = isChecked(W, kAutoHideBox) ? 1 : 0;
    s.EdgeSlide = slideSpeed;
    s.SingleClick = isChecked(W, kSingleClickBox) ? 1 : 0;
    s.ALTmenu = isChecked(W, kAltMenuBox) ? 1 : 0;
    s.FindOnHotkey = isChecked(W, kFindOnHotkeyBox) ? 1 : 0;
    s.FindPrograms = isChecked(W, kFindProgramsBox) ? 1 : 0;
    s.FindLearns = isChecked(W, kFindLearnsBox) ? 1 : 0;
    s.AutoClose = isChecked(W, kAutoCloseBox) ? 1 : 0;
    s.AllowDrop = isChecked(W, kAllowDropBox) ? 1 : 0;
    s.AutoAlign = isChecked(W, kKeepCornerBox) ? 1 : 0;
    s.Centered = s.AutoAlign ? 0 : (isChecked(W, kCenteredBox) ? 1 : 0);
    s.AutoDelay = delay > 0 && delay < kSmallestDelay ? kSmallestDelay : delay;
    s.Common = (isChecked(W, kSameWidthBox) ? kCommonWidth : 0) | (isChecked(W, kSameHeightBox) ? kCommonHeight : 0) |
               (isChecked(W, kSameFontBox) ? kCommonFont : 0) |
               (isChecked(W, kSameBackgroundBox) ? kCommonBackground : 0);

    const int row = selectedListRow(W, kStartCategoryList);
    s.CatSelect = row > 0 ? listRowText(W, kStartCategoryList, row) : std::wstring();
    run.takenOver = true;
}

void takeOverStartupShortcut(DialogRun& run) {
    int wanted = kShortcutNone;
    if (isChecked(W, kStartupBox)) wanted = kShortcutOwn | (isChecked(W, kHiddenBox) ? kShortcutHidden : 0);
    if (wanted == run.shortcut.state) return;
    if (!changeStartupShortcut(startupShortcut, run.shortcut.state, wanted)) {
        showCenteredMessageBox(W, languageText(95) + L"\r\n" + startupShortcut.file, languageText(89),
                               kBoxOk | kBoxIconExclamation);
        return;
    }
    run.shortcut.state = wanted;
}

// False when the hotkey was refused and the dialog stays open for it.
bool takeOverHotkey() {
    if (!isChecked(W, kHotkeyBox)) return true;
    uint32_t stored = 0;
    if (acceptHotkeyField(hotkeyFieldValue(W, kHotkeyField), stored) && RegisterLauncherHotkey(stored)) return true;
    showHotkeyVerdict(true);
    beep();
    setFocusTo(W, kHotkeyField);
    return false;
}

// A launcher that the new modes would leave out of reach comes back.
void keepLauncherReachable() {
    // The editor stands in for the launcher, which comes back when it closes.
    if (launchState.editorOpen) return;
    if (!generalSettings.AutoEdgeHide && launcherWindow.hiddenAtEdge) ShowFromEdge();
    if (!windowVisible(kLauncherWindow) && !trayIconShown(kLauncherWindow, kTrayIconId))
        showWindow(kLauncherWindow, WindowShow::Minimize);
}

Outcome pressOk(DialogRun& run) {
    int delay = 0;
    int slideSpeed = 0;
    if (!readNumbers(delay, slideSpeed)) return Outcome::Open;
    takeOverSettings(run, delay, slideSpeed);
    takeOverStartupShortcut(run);
    return takeOverHotkey() ? Outcome::Accepted : Outcome::Open;
}

Outcome onKey(const UiEvent& event, DialogRun& run) {
    if (event.data != 1) return Outcome::Open;
    switch (event.code) {
        case kKeyReturn:
            if (focusedControl(W) == kCancelButton) return Outcome::Cancelled;
            return pressOk(run);
        case kKeyEscape: return Outcome::Cancelled;
        case kKeyF1:
            // In the hotkey field F1 is a key to choose.
            if (focusedControl(W) != kHotkeyField) showHelpMenu();
            return Outcome::Open;
        default: return Outcome::Open;
    }
}

Outcome onClick(int control, DialogRun& run) {
    if (ruleBox(control)) applySettingsRules(run.shortcut.foreign);
    switch (control) {
        case kOkButton: return pressOk(run);
        case kCancelButton: return Outcome::Cancelled;
        case kHelpButton: showHelpMenu(); return Outcome::Open;
        default: return Outcome::Open;
    }
}

Outcome runDialogLoop(DialogRun& run) {
    UiEvent event;
    while (waitEvent(event)) {
        if (event.windowId != W) {
            if (holdForOwner(run.modal, event)) return Outcome::Cancelled;
            continue;
        }
        Outcome outcome = Outcome::Open;
        switch (event.kind) {
            case UiEventKind::Key: outcome = onKey(event, run); break;
            case UiEventKind::ControlClick: outcome = onClick(event.control, run); break;
            case UiEventKind::ControlChanged:
                if (event.control == kHotkeyField) onHotkeyChanged(run);
                break;
            case UiEventKind::Menu: handleCommonMenu(event.code); break;
            case UiEventKind::CloseRequest: outcome = Outcome::Cancelled; break;
            default: break;
        }
        if (outcome != Outcome::Open) return outcome;
    }
    // The program is quitting: what was taken over stays, the hotkey comes back.
    return Outcome::Cancelled;
}

void placeDialog() {
    const LauncherGeometry& g = categoryStore.geometry;
    // On the launcher's monitor; placing it keeps it whole there.
    const ScreenPoint at = settingsDialogPosition(g.x, g.y, workAreaOf(kLauncherWindow));
    placeWindow(W, at.x, at.y, kSettingsInnerWidth, kSettingsInnerHeight);
}

}  // namespace

bool parseFieldNumber(const std::wstring& text, int highest, int& value) {
    size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) {
        value = 0;
        return true;
    }
    const size_t last = text.find_last_not_of(L' ');
    long long number = 0;
    for (size_t i = first; i <= last; ++i) {
        const wchar_t c = text[i];
        if (c < L'0' || c > L'9') return false;
        number = number * 10 + (c - L'0');
        if (number > highest) return false;
    }
    value = static_cast<int>(number);
    return true;
}

void ShowGeneralSettings() {
    if (programFolders.settingsReadOnly) return;
    DialogRun run;
    run.modal = takeOwner();
    run.ownerItemList = launchState.itemListControl;
    if (!openSettingsWindow(run.modal.owner)) {
        closeWindow(W);
        return;
    }
    placeDialog();
    // The variable-drive mode keeps the shortcut out of reach; another
    // program's shortcut is never ours to change, so it is looked for anyway.
    run.shortcut = findStartupShortcut(startupShortcut);
    if (generalSettings.VarDrive) run.shortcut.state = kShortcutNone;
    // Whoever set a hotkey before chose the tray for it already.
    run.trayOffered = (static_cast<uint32_t>(generalSettings.Hotkey) & kHotkeyKeyMask) != 0;
    showSettingsValues(run.shortcut);
    applySettingsRules(run.shortcut.foreign);
    // Pressing the hotkey in its field must not bring up the launcher.
    RegisterLauncherHotkey(kReleaseHotkey);
    beginModal(run.modal, W);
    showWindow(W, WindowShow::Show);
    bringWindowToFront(W);
    setFocusTo(W, kOkButton);

    const Outcome outcome = runDialogLoop(run);
    if (outcome == Outcome::Cancelled) RegisterLauncherHotkey(kRestoreHotkey);
    endModal(run.modal, W);
    // Cancel after a refused hotkey keeps what Ok took over: the windows follow it.
    if (!run.takenOver) return;
    if (run.singleColumnChanged)
        RefillItemView(run.modal.owner == kEditorWindow ? ItemViewForm::Editor : ItemViewForm::Launcher,
                       run.modal.owner, run.ownerItemList);
    if (run.styleParts) ApplyWindowStyle(run.styleParts);
    UpdateTrayIcon();
    keepLauncherReachable();
}
