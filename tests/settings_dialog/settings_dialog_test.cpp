#include <gtest/gtest.h>

#include "platform/files.h"
#include "settings_dialog/dialog_rules.h"
#include "settings_dialog/hotkey_value.h"
#include "settings_dialog/settings_dialog.h"
#include "settings_dialog/startup_shortcut.h"
#include "support/test_files.h"

namespace {

// The field's modifiers: 0x10000 Shift, 0x20000 Ctrl, 0x40000 Alt.
constexpr uint32_t kShift = 0x10000;
constexpr uint32_t kCtrl = 0x20000;
constexpr uint32_t kAlt = 0x40000;

uint32_t accepted(uint32_t field) {
    uint32_t stored = 0xDEAD;
    EXPECT_TRUE(acceptHotkeyField(field, stored)) << std::hex << field;
    return stored;
}

bool refused(uint32_t field) {
    uint32_t stored = 0;
    return !acceptHotkeyField(field, stored);
}

TEST(HotkeyValue, LettersAndDigitsNeedCtrlOrAltFunctionKeysStandAlone) {
    // Stored: Alt 0x10000, Ctrl 0x20000, Shift 0x40000, and 0x100000 for a chosen value.
    EXPECT_EQ(accepted(kCtrl | kAlt | 'K'), 0x13004Bu);
    EXPECT_EQ(accepted(kShift | kAlt | '7'), 0x150037u) << "Shift and Alt change places";
    EXPECT_EQ(accepted(0x74), 0x100074u) << "F5 alone";
    EXPECT_EQ(accepted(kShift | 0x7B), 0x14007Bu) << "Shift+F12";
    EXPECT_EQ(accepted(0), 0u) << "no hotkey at all";
    EXPECT_TRUE(refused('K'));
    EXPECT_TRUE(refused(kShift | 'K'));
    EXPECT_TRUE(refused(kCtrl | 0x60)) << "a digit of the number pad";
    EXPECT_TRUE(refused(kCtrl | 0x7C)) << "F13";
    EXPECT_TRUE(refused(kCtrl | kAlt | 0x20)) << "space";
}

TEST(HotkeyValue, TheStoredKeyIsShownWithTheFieldsModifiers) {
    EXPECT_EQ(hotkeyFieldFromStored(0x13804B), kCtrl | kAlt | 'K') << "registered and chosen bits gone";
    EXPECT_EQ(hotkeyFieldFromStored(0x50031), kShift | kAlt | '1');
    EXPECT_EQ(accepted(hotkeyFieldFromStored(0x130044)), 0x130044u) << "shown and taken back unchanged";
    EXPECT_TRUE(hotkeyFieldIncomplete(kCtrl));
    EXPECT_FALSE(hotkeyFieldIncomplete(0));
    EXPECT_FALSE(hotkeyFieldIncomplete(kCtrl | 'K'));
}

TEST(SettingsRules, TheTrayCarriesToolWindowAutoHideAndSlideSpeed) {
    SettingsChecks c;
    c.toolWindow = c.autoHide = true;
    SettingsEnables e = applyEnableRules(c);
    EXPECT_FALSE(c.toolWindow);
    EXPECT_FALSE(c.autoHide);
    EXPECT_FALSE(e.toolWindow || e.autoHide || e.slideSpeed);
    c.tray = c.toolWindow = c.autoHide = true;
    e = applyEnableRules(c);
    EXPECT_TRUE(e.toolWindow && e.autoHide && e.slideSpeed);
    c.toolWindow = false;
    e = applyEnableRules(c);
    EXPECT_FALSE(c.autoHide) << "auto-hide needs a tool window";
    EXPECT_FALSE(e.slideSpeed);
}

TEST(SettingsRules, StartupShortcutCentringAndHotkeyField) {
    SettingsChecks c;
    c.startup = c.hidden = true;
    SettingsEnables e = applyEnableRules(c);
    EXPECT_TRUE(e.startup && e.hidden);
    c.varDrive = true;
    e = applyEnableRules(c);
    EXPECT_FALSE(c.startup) << "a variable drive letter cannot start at logon";
    EXPECT_FALSE(e.startup || e.hidden);
    c = SettingsChecks{};
    c.startup = c.foreignShortcut = true;
    e = applyEnableRules(c);
    EXPECT_FALSE(c.startup || e.startup);
    c = SettingsChecks{};
    c.keepCorner = true;
    EXPECT_FALSE(applyEnableRules(c).centered);
    EXPECT_FALSE(applyEnableRules(c).hotkeyField);
    c.hotkey = true;
    EXPECT_TRUE(applyEnableRules(c).hotkeyField);
}

TEST(SettingsRules, TheDialogOpensInsideTheWorkArea) {
    const ScreenRect area{0, 0, 1024, 700};
    auto at = [&](int x, int y) {
        const ScreenPoint p = settingsDialogPosition(x, y, area);
        return std::make_pair(p.x, p.y);
    };
    EXPECT_EQ(at(200, 10), std::make_pair(200, 10)) << "well inside: the launcher's corner";
    EXPECT_EQ(at(900, 300), std::make_pair(594, 18)) << "pulled in from the right and the bottom, by the whole dialog";
    EXPECT_EQ(at(-50, -20), std::make_pair(0, 0));
    EXPECT_EQ(at(1500, 10), std::make_pair(1500, 10)) << "far beyond the right edge: another monitor";
    const ScreenRect small{0, 0, 800, 600};
    EXPECT_EQ(settingsDialogPosition(100, 100, small).y, 0) << "a work area lower than the dialog keeps the caption";
}

TEST(SettingsFields, OnlyDigitsInRangeAreNumbers) {
    int value = -1;
    EXPECT_TRUE(parseFieldNumber(L" 450 ", 999, value));
    EXPECT_EQ(value, 450);
    EXPECT_TRUE(parseFieldNumber(L"", 99, value));
    EXPECT_EQ(value, 0) << "an empty field is 0";
    EXPECT_FALSE(parseFieldNumber(L"12abc", 999, value)) << "pasted text";
    EXPECT_FALSE(parseFieldNumber(L"-5", 999, value));
    EXPECT_FALSE(parseFieldNumber(L"100", 99, value));
    EXPECT_FALSE(parseFieldNumber(L"99999999999999999999", 999999999, value)) << "no overflow";
}

TEST(StartupShortcut, WrittenReadBackChangedAndDeleted) {
    TempFolder dir;
    StartupShortcut shortcut;
    shortcut.file = dir.file(L"Kivo.lnk");
    shortcut.link = ShellLinkInfo{L"C:\\windows\\notepad.exe", L"", dir.path.wstring() + L"\\", L"", 0, 1};
    EXPECT_EQ(findStartupShortcut(shortcut).state, kShortcutNone);
    ASSERT_TRUE(changeStartupShortcut(shortcut, kShortcutNone, kShortcutOwn | kShortcutHidden));
    ShortcutFound found = findStartupShortcut(shortcut);
    EXPECT_FALSE(found.foreign);
    EXPECT_EQ(found.state, kShortcutOwn | kShortcutHidden);
    ASSERT_TRUE(changeStartupShortcut(shortcut, found.state, kShortcutOwn));
    EXPECT_EQ(findStartupShortcut(shortcut).state, kShortcutOwn) << "rewritten without /hide";
    ASSERT_TRUE(changeStartupShortcut(shortcut, kShortcutOwn, kShortcutNone));
    EXPECT_FALSE(fileExists(shortcut.file));
}

TEST(StartupShortcut, AnotherProgramsShortcutIsForeign) {
    TempFolder dir;
    StartupShortcut shortcut;
    shortcut.file = dir.file(L"Kivo.lnk");
    shortcut.link = ShellLinkInfo{L"C:\\windows\\notepad.exe", L"", dir.path.wstring() + L"\\", L"", 0, 1};
    createShellLink(ShellLinkInfo{L"C:\\windows\\regedit.exe", L"", dir.path.wstring(), L"", 0, 1}, shortcut.file);
    EXPECT_TRUE(findStartupShortcut(shortcut).foreign);
    writeBytes(shortcut.file, "not a shortcut");
    EXPECT_TRUE(findStartupShortcut(shortcut).foreign) << "unreadable: left alone";
}

}  // namespace
