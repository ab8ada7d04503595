#include "settings_dialog/settings_window.h"

#include <algorithm>

#include "launcher/category_list.h"
#include "launcher/launcher_window.h"
#include "platform/text_case.h"
#include "platform/ui_controls.h"
#include "platform/ui_dialog_controls.h"
#include "platform/ui_panel_controls.h"
#include "platform/ui_windows.h"
#include "settings/data_folder.h"
#include "settings/general_settings.h"
#include "settings/language.h"
#include "settings_dialog/hotkey_value.h"
#include "store/category_store.h"

namespace {

constexpr int W = kSettingsWindow;
constexpr uint32_t kRed = 0x000000FF;  // 0x00BBGGRR
constexpr int kFrameEdge = 2;

enum class Kind { Title, Frame, Label, RightLabel, Check, List, Spin, Digits, Hotkey, Verdict, Button, DefaultButton };

// Unnamed controls still need numbers of their own.
enum Unnamed { kTopFrame = 100, kWindowFrame, kLaunchFrame, kStartLabel, kSpeedLabel, kDelayLabel, kUnitLabel,
               kPlacingLabel, kSameLabel };

struct ControlRow {
    int id;
    Kind kind;
    int frame;  // the frame whose corner the place counts from, or 0
    int x;
    int y;
    int width;
    int height;
    int textEntry;  // language entry, or 0
};

// In the order the Tab key visits them.
const ControlRow kControls[] = {
    {35, Kind::Title, 0, 10, 10, 370, 22, 6},
    {kHelpButton, Kind::Button, 0, 385, 5, 25, 22, 0},
    {kTopFrame, Kind::Frame, 0, 10, 32, 400, 90, 0},
    {kVarDriveBox, Kind::Check, kTopFrame, 10, 5, 380, 22, 56},
    {kStartupBox, Kind::Check, kTopFrame, 10, 30, 210, 22, 57},
    {kHiddenBox, Kind::Check, kTopFrame, 220, 30, 170, 22, 58},
    {kStartLabel, Kind::Label, kTopFrame, 10, 60, 210, 22, 59},
    {kStartCategoryList, Kind::List, kTopFrame, 220, 57, 170, 22, 0},
    {kWindowFrame, Kind::Frame, 0, 10, 130, 400, 130, 0},
    {kHideTitleBarBox, Kind::Check, kWindowFrame, 10, 5, 380, 22, 61},
    {kTrayBox, Kind::Check, kWindowFrame, 10, 30, 380, 22, 62},
    {kToolWindowBox, Kind::Check, kWindowFrame, 30, 52, 380, 22, 63},
    {kAutoHideBox, Kind::Check, kWindowFrame, 50, 74, 380, 22, 64},
    {kSpeedLabel, Kind::RightLabel, kWindowFrame, 50, 101, 120, 22, 65},
    {kSlideSpeedField, Kind::Spin, kWindowFrame, 190, 99, 45, 22, 0},
    {kLaunchFrame, Kind::Frame, 0, 10, 268, 400, 334, 0},
    {kAutoCloseBox, Kind::Check, kLaunchFrame, 10, 5, 380, 22, 66},
    {kDelayLabel, Kind::Label, kLaunchFrame, 10, 30, 210, 22, 67},
    {kDelayField, Kind::Digits, kLaunchFrame, 220, 27, 60, 22, 0},
    {kUnitLabel, Kind::Label, kLaunchFrame, 290, 30, 100, 22, 68},
    {kHotkeyBox, Kind::Check, kLaunchFrame, 10, 52, 215, 22, 69},
    {kHotkeyField, Kind::Hotkey, kLaunchFrame, 225, 52, 165, 22, 0},
    {kHotkeyVerdict, Kind::Verdict, kLaunchFrame, 225, 76, 165, 22, 0},
    {kFindOnHotkeyBox, Kind::Check, kLaunchFrame, 30, 76, 190, 22, 97},
    {kSingleClickBox, Kind::Check, kLaunchFrame, 10, 104, 380, 22, 70},
    {kAltMenuBox, Kind::Check, kLaunchFrame, 10, 126, 380, 22, 71},
    {kSingleColumnBox, Kind::Check, kLaunchFrame, 10, 148, 400, 22, 72},
    {kPlacingLabel, Kind::Label, kLaunchFrame, 10, 181, 113, 22, 73},
    {kKeepCornerBox, Kind::Check, kLaunchFrame, 125, 178, 295, 22, 74},
    {kCenteredBox, Kind::Check, kLaunchFrame, 125, 200, 250, 22, 75},
    {kSameLabel, Kind::Label, kLaunchFrame, 10, 233, 113, 22, 76},
    {kSameWidthBox, Kind::Check, kLaunchFrame, 125, 230, 120, 22, 77},
    {kSameHeightBox, Kind::Check, kLaunchFrame, 250, 230, 140, 22, 78},
    {kSameFontBox, Kind::Check, kLaunchFrame, 125, 252, 120, 22, 79},
    {kSameBackgroundBox, Kind::Check, kLaunchFrame, 250, 252, 140, 22, 80},
    {kAllowDropBox, Kind::Check, kLaunchFrame, 10, 282, 380, 22, 81},
    {kFindProgramsBox, Kind::Check, kLaunchFrame, 10, 304, 190, 22, 102},
    {kFindLearnsBox, Kind::Check, kLaunchFrame, 205, 304, 185, 22, 103},
    {kOkButton, Kind::DefaultButton, 0, 105, 612, 90, 24, 28},
    {kCancelButton, Kind::Button, 0, 200, 612, 90, 24, 30},
};

// Check boxes that show one setting each, checked for 1.
struct BoxSetting {
    int id;
    int GeneralSettings::*setting;
};
const BoxSetting kPlainBoxes[] = {
    {kVarDriveBox, &GeneralSettings::VarDrive},     {kTrayBox, &GeneralSettings::SystemTray},
    {kAutoHideBox, &GeneralSettings::AutoEdgeHide}, {kAutoCloseBox, &GeneralSettings::AutoClose},
    {kSingleClickBox, &GeneralSettings::SingleClick}, {kAltMenuBox, &GeneralSettings::ALTmenu},
    {kSingleColumnBox, &GeneralSettings::SingleColumn}, {kKeepCornerBox, &GeneralSettings::AutoAlign},
    {kCenteredBox, &GeneralSettings::Centered},     {kAllowDropBox, &GeneralSettings::AllowDrop},
    {kFindOnHotkeyBox, &GeneralSettings::FindOnHotkey},
    {kFindProgramsBox, &GeneralSettings::FindPrograms}, {kFindLearnsBox, &GeneralSettings::FindLearns},
};

const ControlRow* rowOf(int id) {
    for (const ControlRow& row : kControls)
        if (row.id == id) return &row;
    return nullptr;
}

std::wstring rowText(const ControlRow& row) {
    if (row.id == kVarDriveBox) return std::wstring(1, programFolders.programDrive) + L": " + languageText(56);
    if (row.id == kHelpButton) return L"?";
    return row.textEntry ? languageText(row.textEntry) : std::wstring();
}

bool addRow(const ControlRow& row) {
    int x = row.x;
    int y = row.y;
    int w = row.width;
    if (const ControlRow* frame = row.frame ? rowOf(row.frame) : nullptr) {
        x += frame->x;
        y += frame->y;
        // Kept inside the frame, whose edge would otherwise be hidden under it.
        w = std::min(w, frame->width - row.x - kFrameEdge);
    }
    const std::wstring text = rowText(row);
    const int h = row.height;
    switch (row.kind) {
        case Kind::Title: return addLabel(W, row.id, x, y, w, h, text, TextAlign::Center);
        case Kind::Frame: return addFrame(W, row.id, x, y, w, h);
        case Kind::Label:
        case Kind::Verdict: return addLabel(W, row.id, x, y, w, h, text, TextAlign::Left);
        case Kind::RightLabel: return addLabel(W, row.id, x, y, w, h, text, TextAlign::Right);
        case Kind::Check: return addCheckBox(W, row.id, x, y, w, h, text);
        case Kind::List: return addDropDownList(W, row.id, x, y, w, h);
        case Kind::Spin: return addSpinField(W, row.id, x, y, w, h, 0, 99, 0);
        case Kind::Digits: return addEditField(W, row.id, x, y, w, h, text, true, 9);
        case Kind::Hotkey: return addHotkeyField(W, row.id, x, y, w, h);
        case Kind::Button: return addPushButton(W, row.id, x, y, w, h, text, false);
        case Kind::DefaultButton: return addPushButton(W, row.id, x, y, w, h, text, true);
    }
    return false;
}

void setFonts() {
    for (const ControlRow& row : kControls) {
        const int font = row.kind == Kind::Title ? kDialogFontBold : kDialogFont;
        setControlFont(W, row.id, launcherWindow.fonts[font].handle);
    }
    setControlFont(W, spinArrowsId(kSlideSpeedField), launcherWindow.fonts[kDialogFont].handle);
}

void fillStartCategories() {
    addListRow(W, kStartCategoryList, languageText(60));
    RebuildCategoryList(categoryNavigation, programFolders.dataFolder, languageText(21));
    int selected = 0;
    int row = 1;
    for (const std::wstring& name : categoryNavigation.categoryList) {
        if (name == categoryNavigation.startupCategory) continue;
        addListRow(W, kStartCategoryList, name);
        if (selected == 0 && sameTextIgnoringCase(name, generalSettings.CatSelect)) selected = row;
        ++row;
    }
    selectListRow(W, kStartCategoryList, selected);
}

// The Windows and the home drive hold a fixed letter.
bool driveLetterFixed() {
    const wchar_t drive = programFolders.programDrive;
    return sameTextIgnoringCase(std::wstring(1, drive), std::wstring(1, programFolders.windowsDrive)) ||
           sameTextIgnoringCase(std::wstring(1, drive), std::wstring(1, programFolders.homeDrive));
}

}  // namespace

bool openSettingsWindow(int owner) {
    WindowSpec spec;
    spec.innerWidth = kSettingsInnerWidth;
    spec.innerHeight = kSettingsInnerHeight;
    spec.title = launcherWindow.programTitle;
    spec.ownerId = owner;
    spec.dialogFrame = true;
    if (!openWindow(W, spec)) return false;
    useDialogColors(W);
    // The frames last: a new control goes below the others, and a frame must
    // lie below the controls on it, or it would hide the labels that clip
    // their siblings and take the clicks and drops meant for the controls.
    for (const bool frames : {false, true}) {
        for (const ControlRow& row : kControls)
            if ((row.kind == Kind::Frame) == frames && !addRow(row)) return false;
    }
    setFonts();
    setLabelColor(W, kHotkeyVerdict, kRed);
    useDialogKeys(W);
    return true;
}

void showSettingsValues(const ShortcutFound& shortcut) {
    const GeneralSettings& s = generalSettings;
    for (const BoxSetting& box : kPlainBoxes) setChecked(W, box.id, s.*box.setting != 0);
    setControlEnabled(W, kVarDriveBox, !driveLetterFixed());
    setChecked(W, kStartupBox, (shortcut.state & kShortcutOwn) != 0);
    setChecked(W, kHiddenBox, (shortcut.state & kShortcutHidden) != 0);
    fillStartCategories();
    setChecked(W, kHideTitleBarBox, s.TitleBar == 0);
    setChecked(W, kToolWindowBox, isToolWindowMode(s));
    // A value from the file beyond what the field takes would be refused by Ok
    // although the user never typed it.
    setControlText(W, kSlideSpeedField, std::to_wstring(std::clamp(s.EdgeSlide, 0, kHighestSlideSpeed)));
    setControlText(W, kDelayField, std::to_wstring(std::clamp(s.AutoDelay, 0, kHighestDelay)));
    setChecked(W, kHotkeyBox, (static_cast<uint32_t>(s.Hotkey) & kHotkeyRegistered) != 0);
    setHotkeyFieldValue(W, kHotkeyField, hotkeyFieldFromStored(static_cast<uint32_t>(s.Hotkey)));
    const int common[] = {kSameWidthBox, kSameHeightBox, kSameFontBox, kSameBackgroundBox};
    for (int bit = 0; bit < 4; ++bit) setChecked(W, common[bit], (s.Common >> bit) & 1);
}

void applySettingsRules(bool foreignShortcut) {
    SettingsChecks c;
    c.varDrive = isChecked(W, kVarDriveBox);
    c.startup = isChecked(W, kStartupBox);
    c.hidden = isChecked(W, kHiddenBox);
    c.keepCorner = isChecked(W, kKeepCornerBox);
    c.centered = isChecked(W, kCenteredBox);
    c.hotkey = isChecked(W, kHotkeyBox);
    c.tray = isChecked(W, kTrayBox);
    c.toolWindow = isChecked(W, kToolWindowBox);
    c.autoHide = isChecked(W, kAutoHideBox);
    c.foreignShortcut = foreignShortcut;
    const SettingsEnables e = applyEnableRules(c);
    setChecked(W, kStartupBox, c.startup);
    setChecked(W, kToolWindowBox, c.toolWindow);
    setChecked(W, kAutoHideBox, c.autoHide);
    setControlEnabled(W, kStartupBox, e.startup);
    setControlEnabled(W, kHiddenBox, e.hidden);
    setControlEnabled(W, kCenteredBox, e.centered);
    setControlEnabled(W, kHotkeyField, e.hotkeyField);
    setControlEnabled(W, kFindOnHotkeyBox, e.hotkeyField);
    setControlEnabled(W, kToolWindowBox, e.toolWindow);
    setControlEnabled(W, kAutoHideBox, e.autoHide);
    setControlEnabled(W, kSlideSpeedField, e.slideSpeed);
    setControlEnabled(W, spinArrowsId(kSlideSpeedField), e.slideSpeed);
    if (!e.slideSpeed) setControlText(W, kSlideSpeedField, L"0");
}

void showHotkeyVerdict(bool refused) { setControlText(W, kHotkeyVerdict, refused ? L"Not accepted" : L""); }
