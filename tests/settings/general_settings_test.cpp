#include <gtest/gtest.h>

#include <cstdlib>

#include "settings/general_settings.h"
#include "support/test_files.h"

namespace {

TEST(GeneralSettings, AFirstSettingsFileListsEveryKeyInItsOrder) {
    TempFolder dir;
    IniDocument doc;
    doc.path = dir.file(L"Kivo.ini");
    GeneralSettings s;
    readGeneralSettings(doc, s, L"English");
    writeGeneralSettings(doc, s, L"Tools");
    ASSERT_TRUE(save(doc));
    EXPECT_EQ(readBytes(doc.path),
              "\r\n[Start]\r\nCatSelect=\r\n"
              "\r\n[main]\r\nMRU=Tools\r\nSingleClick=0\r\nALTmenu=1\r\nSingleColumn=1\r\nAutoClose=0\r\n"
              "SystemTray=0\r\nAllowDrop=0\r\nTitleBar=1\r\nTransparent=0\r\nStayontop=0\r\nToolbarStyle=0\r\n"
              "AutoEdgeHide=0\r\nEdgeSlide=0\r\nAutoAlign=1\r\nLeftAligned=0\r\nCommon=0\r\nAutoDelay=0\r\n"
              "Centered=0\r\nVarDrive=0\r\nHotkey=$0\r\n");
}

TEST(GeneralSettings, DefaultsOfTheKeysThatAreOnlyRead) {
    IniDocument doc;
    GeneralSettings s;
    readGeneralSettings(doc, s, L"German");
    EXPECT_EQ(s.Language, L"German");
    EXPECT_EQ(s.ProgTitle, L"Kivo ");
    EXPECT_EQ(s.WebIcon, L"dummy.htm");
    EXPECT_EQ(s.FileMgrCom, L"Explorer.exe");
    EXPECT_EQ(s.Separator, L"----------");
    EXPECT_EQ(s.Alpha, 180);
    EXPECT_EQ(s.AutoAlign, 1);
    EXPECT_EQ(s.SingleColumn, 1);
    EXPECT_EQ(s.TitleBar, 1);
    EXPECT_EQ(s.ALTmenu, 1);
    EXPECT_EQ(s.AutoEdgeHide, 0) << "auto-hide needs the tool window";
}

TEST(GeneralSettings, DerivedRules) {
    TempFolder dir;
    IniDocument doc = settingsFile(dir, "[main]\r\nToolBarStyle=1\r\nSystemTray=0\r\nAutoDelay=3\r\nAlpha=100\r\n");
    GeneralSettings s;
    readGeneralSettings(doc, s, L"English");
    EXPECT_EQ(s.SystemTray, 1) << "a tool window always has its tray icon";
    EXPECT_EQ(s.AutoEdgeHide, 1);
    EXPECT_EQ(s.AutoDelay, 3000);
    EXPECT_EQ(s.Alpha, 150);

    IniDocument other = settingsFile(dir, "[main]\r\nAutoDelay=6\r\nAlpha=250\r\nAutoEdgeHide=1\r\n");
    readGeneralSettings(other, s, L"English");
    EXPECT_EQ(s.AutoDelay, 6);
    EXPECT_EQ(s.Alpha, 230);
    EXPECT_EQ(s.AutoEdgeHide, 0);

    IniDocument opaque = settingsFile(dir, "[main]\r\nAlpha=0\r\n");
    readGeneralSettings(opaque, s, L"English");
    EXPECT_EQ(s.Alpha, 0);
}

TEST(GeneralSettings, ANegativeAutoDelayIsNoDelayAndStaysSo) {
    TempFolder dir;
    IniDocument doc = settingsFile(dir, "[main]\r\nAutoDelay=-2\r\n");
    for (int run = 0; run < 2; ++run) {
        GeneralSettings s;
        readGeneralSettings(doc, s, L"English");
        EXPECT_EQ(s.AutoDelay, 0) << "run " << run;
        writeGeneralSettings(doc, s, L"Tools");
    }
    EXPECT_EQ(readString(doc, L"AutoDelay", L""), L"0");
}

TEST(GeneralSettings, WritingBackUpdatesTheSameEntries) {
    TempFolder dir;
    IniDocument doc = settingsFile(dir,
                                   "[START]\r\nCatSelect=Games\r\n[Main]\r\nMRU=Old\r\n; keep me\r\nToolBarStyle = 1\r\n"
                                   "AutoDelay=2\r\nHotkey=$2804B\r\n");
    GeneralSettings s;
    readGeneralSettings(doc, s, L"English");
    EXPECT_EQ(s.CatSelect, L"Games");
    EXPECT_EQ(s.MRU, L"") << "MRU is read only without a start category";
    EXPECT_EQ(s.Hotkey, 0x2804B);
    s.Hotkey = 0x3804b;
    writeGeneralSettings(doc, s, L"Games");
    ASSERT_TRUE(save(doc));
    const std::string text = readBytes(doc.path);
    EXPECT_EQ(text.find("[START]\r\nCatSelect=Games\r\n[Main]\r\nMRU=Games\r\n; keep me\r\nToolBarStyle = 1\r\n"
                        "AutoDelay=2000\r\nHotkey=$3804B\r\nSingleClick=0\r\n"),
              0u)
        << text;
    EXPECT_EQ(text.find("ToolbarStyle"), std::string::npos) << "one entry, whatever its spelling";
}

TEST(GeneralSettings, TitleLanguageAndHotkeyText) {
    TempFolder dir;
    _wputenv_s(L"KIVO_TEST_OWNER", L"Anna");
    IniDocument doc = settingsFile(dir, "[main]\r\nProgTitle=Kivo of %KIVO_TEST_OWNER%%KIVO_NOT_SET%\r\nLanguage=" +
                                            std::string(70, 'x') + "\r\n");
    GeneralSettings s;
    readGeneralSettings(doc, s, L"English");
    EXPECT_EQ(s.ProgTitle, L"Kivo of Anna ");
    EXPECT_EQ(s.Language.size(), kMaxLanguageNameLength);
    EXPECT_EQ(formatHexText(0), L"$0");
    EXPECT_EQ(formatHexText(0xABCDEF), L"$ABCDEF");
}

}  // namespace
