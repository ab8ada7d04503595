#include "launcher/window_modes.h"

#include "launch/launch_state.h"
#include "launcher/commands.h"
#include "launcher/edge_hide.h"
#include "launcher/launcher_window.h"
#include "platform/tray_icon.h"
#include "platform/ui_controls.h"
#include "platform/ui_windows.h"
#include "settings/general_settings.h"
#include "store/category_store.h"

namespace {

constexpr uint32_t kHotkeyEnabled = 0x8000;
constexpr uint32_t kHotkeyRelease = 0x80000000u;
constexpr uint32_t kHotkeyRestore = 0x40000000u;

}  // namespace

void ApplyWindowStyle(int parts) {
    if (parts & kStyleFrame)
        setWindowFrame(kLauncherWindow, generalSettings.TitleBar != 0, generalSettings.SystemTray == 0);
    if (parts & kStyleToolWindow) {
        const bool visible = windowVisible(kLauncherWindow);
        showWindow(kLauncherWindow, WindowShow::Hide);
        setToolWindow(kLauncherWindow, isToolWindowMode(generalSettings));
        if (visible) showWindow(kLauncherWindow, WindowShow::Show);
    }
    // The inner area keeps its height when the caption comes or goes.
    launcherWindow.layoutSuspended = true;
    refreshWindowFrame(kLauncherWindow);
    const ScreenRect outer = windowRect(kLauncherWindow);
    int width = 0;
    int height = 0;
    windowInnerSize(kLauncherWindow, width, height);
    if (!windowMinimized(kLauncherWindow))
        placeWindow(kLauncherWindow, outer.left, outer.top, width, categoryStore.geometry.height);
    launcherWindow.layoutSuspended = false;
    // The close glyph comes and goes with the caption.
    LayoutLauncherWindow();
}

void ApplyTransparency() {
    setWindowTransparency(kLauncherWindow, generalSettings.Transparent != 0, generalSettings.Alpha,
                          categoryStore.style.backgroundColor);
    redrawWholeWindow(kLauncherWindow);
}

void UpdateTrayIcon() {
    if (!generalSettings.SystemTray) {
        removeTrayIcon(kLauncherWindow, kTrayIconId);
    } else if (!trayIconShown(kLauncherWindow, kTrayIconId)) {
        showTrayIcon(kLauncherWindow, kTrayIconId, launcherWindow.programSmallIcon.handle,
                     launcherWindow.programTitle + L"- " + categoryStore.loadedCategory);
    }
}

void setTrayTipFor(const std::wstring& category) {
    setTrayTip(kLauncherWindow, kTrayIconId, launcherWindow.programTitle + L"- " + category);
}

int convertLegacyHotkey(int value) {
    const uint32_t v = static_cast<uint32_t>(value);
    if (v == 0 || (v & 0x1F0000u) != 0) return value;
    return static_cast<int>((v & 0x7Fu) | ((v & 0xF80u) << 8));
}

bool RegisterLauncherHotkey(uint32_t code) {
    uint32_t& saved = launcherWindow.savedHotkey;
    uint32_t hotkey = static_cast<uint32_t>(generalSettings.Hotkey);
    if (code & kHotkeyRelease) {
        saved = 0;
        if ((hotkey & kHotkeyEnabled) && unregisterHotkey(kLauncherWindow, kLauncherHotkey)) {
            saved = hotkey;
            generalSettings.Hotkey = static_cast<int>(hotkey & ~kHotkeyEnabled);
        }
        code = 0;
    } else if (code & kHotkeyRestore) {
        code = saved;
    }
    code &= ~kHotkeyEnabled;
    if (code == 0) return true;
    if (!registerHotkey(kLauncherWindow, kLauncherHotkey, static_cast<int>((code & 0xF0000u) >> 16),
                        static_cast<int>(code & 0x7FFFu)))
        return false;
    generalSettings.Hotkey = static_cast<int>(code | kHotkeyEnabled);
    return true;
}

void BringLauncherUp() {
    if (windowMinimized(kLauncherWindow) || !windowVisible(kLauncherWindow))
        showWindow(kLauncherWindow, WindowShow::Restore);
    setFocusTo(kLauncherWindow, kLauncherItemView);
    bringWindowToFront(kLauncherWindow);
    if (generalSettings.AutoEdgeHide) ShowFromEdge();
}

int ToggleLauncherWindow(int source) {
    int result = kCommandMinimize;
    if (windowMinimized(kLauncherWindow) || !windowVisible(kLauncherWindow)) {
        result = kCommandNothingFurther;
    } else if (source == kLauncherHotkey && !windowIsForeground(launchState.ownerWindowId)) {
        result = kCommandNothingFurther;
    } else if (generalSettings.AutoEdgeHide) {
        if (ShowFromEdge()) {
            result = kCommandNothingFurther;
        } else {
            HideAtEdge();
        }
    }
    if (result == kCommandNothingFurther) BringLauncherUp();
    return result;
}

void minimizeLauncherWindow() {
    showWindow(kLauncherWindow, WindowShow::Minimize);
    // Without the icon in the tray a hidden window could not be brought back.
    if (trayIconShown(kLauncherWindow, kTrayIconId)) showWindow(kLauncherWindow, WindowShow::Hide);
}
