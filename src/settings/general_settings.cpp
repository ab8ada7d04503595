#include "settings/general_settings.h"

#include "platform/environment.h"
#include "settings/data_folder.h"

IniDocument settingsDocument;
GeneralSettings generalSettings;

namespace {

// One key of group "main": exactly one of the two members is set.
struct SettingKey {
    const wchar_t* key;
    int GeneralSettings::*number;
    std::wstring GeneralSettings::*text;
    int numberDefault;
    const wchar_t* textDefault;
};

constexpr SettingKey number(const wchar_t* key, int GeneralSettings::*member, int defaultValue) {
    return {key, member, nullptr, defaultValue, nullptr};
}
constexpr SettingKey text(const wchar_t* key, std::wstring GeneralSettings::*member, const wchar_t* defaultValue) {
    return {key, nullptr, member, 0, defaultValue};
}

using G = GeneralSettings;

// Read after CatSelect, MRU and Language, whose reading has conditions.
const SettingKey kReadKeys[] = {
    text(L"ProgTitle", &G::ProgTitle, L"Kivo"),
    text(L"ProgIcon", &G::ProgIcon, L""),
    text(L"WebIcon", &G::WebIcon, L"dummy.htm"),
    text(L"FileMgrCom", &G::FileMgrCom, L"Explorer.exe"),
    text(L"FileMgrParm", &G::FileMgrParm, L""),
    number(L"SingleClick", &G::SingleClick, 0),
    number(L"AutoDelay", &G::AutoDelay, 0),
    number(L"AutoClose", &G::AutoClose, 0),
    number(L"SystemTray", &G::SystemTray, 0),
    number(L"AutoAlign", &G::AutoAlign, 1),
    number(L"LeftAligned", &G::LeftAligned, 0),
    number(L"Common", &G::Common, 0),
    number(L"Centered", &G::Centered, 0),
    number(L"AllowDrop", &G::AllowDrop, 0),
    number(L"SingleColumn", &G::SingleColumn, 1),
    number(L"TitleBar", &G::TitleBar, 1),
    number(L"Transparent", &G::Transparent, 0),
    number(L"Stayontop", &G::Stayontop, 0),
    number(L"Alpha", &G::Alpha, 180),
    text(L"Separator", &G::Separator, L"----------"),
    number(L"ToolBarStyle", &G::ToolBarStyle, 0),
    number(L"AutoEdgeHide", &G::AutoEdgeHide, 1),
    number(L"EdgeSlide", &G::EdgeSlide, 0),
    number(L"SlowSlide", &G::SlowSlide, 0),
    number(L"ALTmenu", &G::ALTmenu, 1),
    text(L"IconSpacing", &G::IconSpacing, L""),
    number(L"Hotkey", &G::Hotkey, 0),
    number(L"FindOnHotkey", &G::FindOnHotkey, 0),
    number(L"FindPrograms", &G::FindPrograms, 1),
    number(L"FindLearns", &G::FindLearns, 1),
};

// Newer than the other keys, written only when they differ from their
// default or the file has them already: files that never had them stay as
// they were.
const SettingKey kNewerKeys[] = {
    number(L"FindOnHotkey", &G::FindOnHotkey, 0),
    number(L"FindPrograms", &G::FindPrograms, 1),
    number(L"FindLearns", &G::FindLearns, 1),
};

// Written after MRU, in this order, as decimal numbers (Hotkey in hexadecimal).
const SettingKey kWrittenKeys[] = {
    number(L"SingleClick", &G::SingleClick, 0),
    number(L"ALTmenu", &G::ALTmenu, 0),
    number(L"SingleColumn", &G::SingleColumn, 0),
    number(L"AutoClose", &G::AutoClose, 0),
    number(L"SystemTray", &G::SystemTray, 0),
    number(L"AllowDrop", &G::AllowDrop, 0),
    number(L"TitleBar", &G::TitleBar, 0),
    number(L"Transparent", &G::Transparent, 0),
    number(L"Stayontop", &G::Stayontop, 0),
    number(L"ToolbarStyle", &G::ToolBarStyle, 0),
    number(L"AutoEdgeHide", &G::AutoEdgeHide, 0),
    number(L"EdgeSlide", &G::EdgeSlide, 0),
    number(L"AutoAlign", &G::AutoAlign, 0),
    number(L"LeftAligned", &G::LeftAligned, 0),
    number(L"Common", &G::Common, 0),
    number(L"AutoDelay", &G::AutoDelay, 0),
    number(L"Centered", &G::Centered, 0),
    number(L"VarDrive", &G::VarDrive, 0),
};

void applyDerivedRules(GeneralSettings& s) {
    if (isToolWindowMode(s))
        s.SystemTray = 1;
    else
        s.AutoEdgeHide = 0;
    // 0 to 5 are seconds; a negative delay means none (multiplying it at every
    // start would only run it towards overflow).
    if (s.AutoDelay < 0) s.AutoDelay = 0;
    if (s.AutoDelay < 6) s.AutoDelay *= 1000;
    if (s.Alpha > 0) s.Alpha = s.Alpha < 150 ? 150 : (s.Alpha > 230 ? 230 : s.Alpha);
}

}  // namespace

std::wstring formatHexText(uint32_t value) {
    static const wchar_t kHex[] = L"0123456789ABCDEF";
    std::wstring digits;
    do {
        digits.insert(digits.begin(), kHex[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    return L"$" + digits;
}

void readGeneralSettings(IniDocument& doc, GeneralSettings& s, const std::wstring& userLanguage) {
    selectGroup(doc, L"Start");
    s.CatSelect = readString(doc, L"CatSelect", L"");
    selectGroup(doc, L"main");
    if (s.CatSelect.empty()) s.MRU = readString(doc, L"MRU", L"");
    s.Language = readString(doc, L"Language", userLanguage).substr(0, kMaxLanguageNameLength);
    for (const SettingKey& k : kReadKeys) {
        if (k.number)
            s.*k.number = readInt(doc, k.key, k.numberDefault);
        else
            s.*k.text = readString(doc, k.key, k.textDefault);
    }
    s.ProgTitle = expandEnvironment(s.ProgTitle, UnknownVariables::Drop) + L" ";
    applyDerivedRules(s);
}

void writeGeneralSettings(IniDocument& doc, const GeneralSettings& s, const std::wstring& loadedCategory,
                          bool keepShownCategory) {
    selectGroup(doc, L"start");
    writeString(doc, L"CatSelect", s.CatSelect);
    selectGroup(doc, L"main");
    if (!keepShownCategory) writeString(doc, L"MRU", loadedCategory);
    for (const SettingKey& k : kWrittenKeys) writeInt(doc, k.key, s.*k.number);
    writeString(doc, L"Hotkey", formatHexText(static_cast<uint32_t>(s.Hotkey)));
    for (const SettingKey& k : kNewerKeys)
        if (s.*k.number != k.numberDefault || readString(doc, k.key, L"") != L"") writeInt(doc, k.key, s.*k.number);
}

DriveLetters programDriveLetters() {
    return DriveLetters{generalSettings.VarDrive != 0, programFolders.programDrive, programFolders.windowsDrive,
                        programFolders.homeDrive};
}
