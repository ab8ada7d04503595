#pragma once
// The global settings of groups "Start" and "main", named by their keys.
#include <cstdint>
#include <string>

#include "settings/ini_document.h"
#include "store/drive_letters.h"

struct GeneralSettings {
    std::wstring CatSelect;  // category shown at start; empty: the last one used
    std::wstring MRU;        // category shown last
    std::wstring Language;
    int VarDrive = 0;  // decided by the drive checks, not read with the others
    std::wstring ProgTitle;  // environment expanded, one space appended
    std::wstring ProgIcon;
    std::wstring WebIcon = L"dummy.htm";
    std::wstring FileMgrCom = L"Explorer.exe";
    std::wstring FileMgrParm;
    int SingleClick = 0;
    int AutoDelay = 0;  // milliseconds
    int AutoClose = 0;
    int SystemTray = 0;
    int AutoAlign = 1;
    int LeftAligned = 0;
    int Common = 0;  // bits: 1 width, 2 height, 4 font, 8 background shared
    int Centered = 0;
    int AllowDrop = 0;
    int SingleColumn = 1;
    int TitleBar = 1;
    int Transparent = 0;
    int Stayontop = 0;
    int Alpha = 180;
    std::wstring Separator;
    int ToolBarStyle = 0;
    int AutoEdgeHide = 1;
    int EdgeSlide = 0;
    int SlowSlide = 0;
    int ALTmenu = 1;
    std::wstring IconSpacing;
    int Hotkey = 0;
    int FindOnHotkey = 0;  // the hotkey opens Find along with the window
    int FindPrograms = 1;  // Find lists the shortcuts of the Start menu and desktop too
    int FindLearns = 1;    // Find puts first what was chosen before
};

// The settings document ("Kivo.ini" in memory) and the global settings of the
// running program.
extern IniDocument settingsDocument;
extern GeneralSettings generalSettings;

// Bits of `Common`.
constexpr int kCommonWidth = 1;
constexpr int kCommonHeight = 2;
constexpr int kCommonFont = 4;
constexpr int kCommonBackground = 8;

constexpr size_t kMaxLanguageNameLength = 64;

// Bit 0 of `ToolBarStyle` alone makes the launcher a tool window; the other
// bits are kept as stored.
inline bool isToolWindowMode(const GeneralSettings& settings) { return (settings.ToolBarStyle & 1) != 0; }

// Reads every key in its order, with the defaults, then applies the derived rules
// (tool window forces the tray icon, auto-hide only for tool windows, AutoDelay
// seconds, Alpha range). `userLanguage` is the default of `Language`. `VarDrive`
// is left alone: the drive checks decide it.
void readGeneralSettings(IniDocument& doc, GeneralSettings& settings, const std::wstring& userLanguage);

// Writes the keys that are kept across runs into groups "start" and "main", in
// their fixed order; `MRU` becomes `loadedCategory` unless `keepShownCategory`
// leaves it as it is. The category window settings and the save itself are the
// caller's.
void writeGeneralSettings(IniDocument& doc, const GeneralSettings& settings, const std::wstring& loadedCategory,
                          bool keepShownCategory = false);

// "$" and upper-case hexadecimal, as `Hotkey` is stored.
std::wstring formatHexText(uint32_t value);

// The drive letters that items loaded in variable-drive mode are adapted to.
DriveLetters programDriveLetters();
