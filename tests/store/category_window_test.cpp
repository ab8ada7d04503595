#include <gtest/gtest.h>

#include "platform/environment.h"
#include "platform/files.h"
#include "platform/process.h"
#include "store/category_file.h"
#include "store/category_window.h"
#include "support/test_files.h"

namespace {

// A store with a category loaded by name (no file needed for window settings).
void show(CategoryStore& store, IniDocument& doc, const GeneralSettings& g, const std::wstring& name,
          int workAreaRight = 1024, size_t visited = 1) {
    store.loadedCategory = name;
    applyCategoryWindow(store, doc, g, ScreenRect{0, 0, workAreaRight, 700}, visited);
}

TEST(ApplyCategoryWindow, OwnValuesOverlayThoseOfMain) {
    TempFolder dir;
    IniDocument doc = settingsFile(dir,
                                   "[main]\r\nWidth=350\r\nHeight=260\r\nBGcolor=#FFFFFF\r\nFont=Arial,9,0,0\r\n"
                                   "[Tools]\r\nWidth=300\r\nBGcolor=#102030\r\nFont=Tahoma,11,256,#FF0000\r\n"
                                   "WinX=40\r\nWinY=50\r\nLargeIcons=0\r\n");
    CategoryStore store;
    GeneralSettings g;
    g.AutoAlign = 0;
    show(store, doc, g, L"Tools");
    EXPECT_EQ(store.appliedCategory, L"Tools");
    EXPECT_EQ(store.geometry.width, 300);
    EXPECT_EQ(store.geometry.height, 260) << "no own height: main's";
    EXPECT_EQ(store.geometry.x, 40);
    EXPECT_EQ(store.geometry.y, 50);
    EXPECT_EQ(store.geometry.largeIcons, 0);
    EXPECT_EQ(store.style.backgroundColor, 0x302010u);
    EXPECT_EQ(store.style.faceName, L"Tahoma");
    EXPECT_EQ(store.style.pointSize, 11);
    EXPECT_EQ(store.style.styleFlags, 256);
    EXPECT_EQ(store.style.textColor, 0x0000FFu);
    FontFacts facts;
    ASSERT_TRUE(readFontFacts(store.style.font, facts));
    EXPECT_EQ(facts.face, L"Tahoma");
    EXPECT_EQ(facts.weight, 700);
    EXPECT_LT(facts.height, 0);
}

TEST(ApplyCategoryWindow, CommonBitsShareMainsValues) {
    TempFolder dir;
    const std::string text =
        "[main]\r\nWidth=350\r\nHeight=250\r\nBGcolor=#FFFFFF\r\nFont=Arial,9,0,0\r\n"
        "[Tools]\r\nWidth=300\r\nHeight=200\r\nBGcolor=#102030\r\nFont=Tahoma,11,0,0\r\n";
    GeneralSettings g;
    g.Common = kCommonWidth | kCommonHeight | kCommonFont | kCommonBackground;
    IniDocument doc = settingsFile(dir, text);
    CategoryStore store;
    show(store, doc, g, L"Tools");
    EXPECT_EQ(store.geometry.width, 350);
    EXPECT_EQ(store.geometry.height, 250);
    EXPECT_EQ(store.style.backgroundColor, 0xFFFFFFu);
    EXPECT_EQ(store.style.fontText, L"Arial,9,0,0");

    g.Common = 0;
    IniDocument own = settingsFile(dir, text);
    CategoryStore other;
    show(other, own, g, L"Tools");
    EXPECT_EQ(other.geometry.width, 300);
    EXPECT_EQ(other.geometry.height, 200);
    EXPECT_EQ(other.style.fontText, L"Tahoma,11,0,0");
}

TEST(ApplyCategoryWindow, BlackBackgroundCannotOverrideMain) {
    TempFolder dir;
    IniDocument doc = settingsFile(dir, "[main]\r\nBGcolor=#FFFF00\r\n[Dark]\r\nBGcolor=#000000\r\n");
    CategoryStore store;
    show(store, doc, GeneralSettings{}, L"Dark");
    EXPECT_EQ(store.style.backgroundColor, 0x00FFFFu);
}

TEST(ApplyCategoryWindow, UpperRightCornerStaysInPlace) {
    TempFolder dir;
    IniDocument doc = settingsFile(dir, "[main]\r\nWidth=350\r\n[Narrow]\r\nWidth=300\r\n[Wide]\r\nWidth=350\r\n");
    CategoryStore store;
    GeneralSettings g;  // AutoAlign on, LeftAligned off
    show(store, doc, g, L"Wide");
    EXPECT_EQ(store.geometry.x, 200);
    show(store, doc, g, L"Narrow");
    EXPECT_EQ(store.geometry.x, 250) << "50 pixels right of a 350-wide main";
    show(store, doc, g, L"Wide");
    EXPECT_EQ(store.geometry.x, 200) << "main now holds 300: the right edge stays";

    g.LeftAligned = 1;
    show(store, doc, g, L"Narrow");
    EXPECT_EQ(store.geometry.x, 200) << "left corner kept";
}

TEST(ApplyCategoryWindow, WithoutRoomForMainTheWindowStaysWhereItWas) {
    TempFolder dir;
    std::string text = "[Narrow]\r\nWinX=500\r\nWidth=300\r\n";
    for (int i = 2; i <= 64; ++i) text += "[Cat" + std::to_string(i) + "]\r\nWidth=" + std::to_string(i) + "\r\n";
    IniDocument doc = settingsFile(dir, text);
    CategoryStore store;
    show(store, doc, GeneralSettings{}, L"Narrow");
    EXPECT_EQ(store.geometry.x, 500) << "no width of main to keep the right edge against";
    EXPECT_EQ(store.geometry.width, 300);
}

TEST(ApplyCategoryWindow, CenteredKeepsTheHeightPosition) {
    TempFolder dir;
    IniDocument doc = settingsFile(dir, "[A]\r\nWidth=301\r\nWinY=77\r\n");
    CategoryStore store;
    GeneralSettings g;
    g.Centered = 1;
    show(store, doc, g, L"A", 1024);
    EXPECT_EQ(store.geometry.x, (1024 - 301) / 2);
    EXPECT_EQ(store.geometry.y, 77) << "first application takes WinY";
}

TEST(ApplyCategoryWindow, SizesAndPositionsFromTheFileStayWithinReach) {
    TempFolder dir;
    IniDocument doc = settingsFile(dir,
                                   "[main]\r\nWidth=350\r\nHeight=-2147483648\r\n"
                                   "[Huge]\r\nWidth=2147483647\r\nWinX=-2147483648\r\nWinY=2147483647\r\n"
                                   "[Tall]\r\nHeight=5000\r\nWidth=10\r\n[Flat]\r\nHeight=0\r\n");
    CategoryStore store;
    GeneralSettings g;  // keeps the upper right corner: x moves by main's width less its own
    show(store, doc, g, L"Huge");
    EXPECT_EQ(store.geometry.width, 1024) << "no wider than the work area";
    EXPECT_EQ(store.geometry.height, 250) << "a negative height in main is none: the default";
    EXPECT_EQ(store.geometry.x, -100000);
    EXPECT_EQ(store.geometry.y, 100000);

    show(store, doc, g, L"Tall");
    EXPECT_EQ(store.geometry.height, 700) << "no taller than the work area";
    EXPECT_EQ(store.geometry.width, 60) << "the smallest width";
    EXPECT_EQ(store.geometry.x, -100000 + 1024 - 60) << "main holds the width shown last";

    show(store, doc, g, L"Flat");
    EXPECT_EQ(store.geometry.height, 700) << "no height of its own: main's";

    g.Centered = 1;
    show(store, doc, g, L"Huge");
    EXPECT_EQ(store.geometry.x, 0);
}

TEST(ApplyCategoryWindow, SwitchingToTheAppliedCategoryChangesNothing) {
    TempFolder dir;
    IniDocument doc = settingsFile(dir, "[A]\r\nWidth=300\r\n");
    CategoryStore store;
    show(store, doc, GeneralSettings{}, L"A");
    void* font = store.style.font.handle;
    ASSERT_NE(font, nullptr);
    const int changes = doc.changes;
    store.geometry.width = 999;
    EXPECT_FALSE(applyCategoryWindow(store, doc, GeneralSettings{}, ScreenRect{0, 0, 1024, 700}, 1));
    EXPECT_EQ(doc.changes, changes);
    EXPECT_EQ(store.geometry.width, 999);

    store.style.fontText = store.style.lastAppliedFontText;
    applyFont(store.style);
    EXPECT_EQ(store.style.font.handle, font) << "the same font text makes no new font";
}

TEST(StoreCategoryWindow, WritesTheCategoryThenMain) {
    IniDocument doc;
    CategoryStore store;
    storeCategoryWindow(store, doc);
    EXPECT_EQ(doc.changes, 0) << "nothing applied yet";
    store.appliedCategory = L"Tools";
    store.geometry = LauncherGeometry{10, 20, 300, 200, 0};
    store.style.backgroundColor = 0x00FF00;
    store.style.fontText = L"Tahoma,10,0,#000000";
    storeCategoryWindow(store, doc);
    TempFolder dir;
    doc.path = dir.file(L"Kivo.ini");
    ASSERT_TRUE(save(doc));
    EXPECT_EQ(readBytes(doc.path),
              "\r\n[Tools]\r\nLargeIcons=0\r\nWinX=10\r\nWinY=20\r\nWidth=300\r\nHeight=200\r\nBGcolor=#00FF00\r\n"
              "Font=Tahoma,10,0,#000000\r\n\r\n[main]\r\nWidth=300\r\nHeight=200\r\nBGcolor=#00FF00\r\n"
              "Font=Tahoma,10,0,#000000\r\n");
}

TEST(LoadCategory, ByNameFromTheCurrentDirectory) {
    TempFolder dir;
    const std::wstring before = currentDirectory();
    ASSERT_TRUE(setCurrentDirectory(dir.path.wstring()));
    writeBytes(dir.file(L"Stick.kvl"), "Tool=E:\\tool.exe;E:\\in.txt\r\n");
    CategoryStore store;
    std::wstring target = L"Stick";
    ASSERT_TRUE(loadCategory(store, target, DriveLetters{true, L'G', L'C', L'C'}));
    EXPECT_TRUE(target.empty());
    EXPECT_EQ(store.loadedCategory, L"Stick");
    EXPECT_EQ(store.categoryFilePath, dir.file(L"Stick.kvl"));
    EXPECT_EQ(itemDefinition(store.items[0]), L"G:\\tool.exe;G:\\in.txt");

    target = L"Missing";
    EXPECT_FALSE(loadCategory(store, target, DriveLetters{}));
    EXPECT_EQ(store.loadedCategory, L"Missing");
    EXPECT_TRUE(store.items.empty());
    setCurrentDirectory(before);
}

// A name is a category's only when it names a file of the data folder, also
// once expanded; the system's device names never do.
TEST(LoadCategory, NamesThatLeaveTheDataFolderOrNameDevicesReadNothing) {
    ASSERT_TRUE(setEnvironmentVariable(L"KIVO_TEST_PATH", L"..\\elsewhere"));
    for (const wchar_t* name : {L"%KIVO_TEST_PATH%", L"nul", L"CON", L"com1", L"Lpt9.txt", L"nul  .x"}) {
        CategoryStore store;
        std::wstring target = name;
        EXPECT_TRUE(categoryFilePathOf(name).empty()) << name;
        EXPECT_FALSE(loadCategory(store, target, DriveLetters{})) << name;
        EXPECT_TRUE(store.loadedCategory.empty()) << name;
    }
    for (const wchar_t* name : {L"console", L"com10", L"nully", L"%NO_SUCH_KIVO_VARIABLE%"})
        EXPECT_TRUE(isCategoryName(name)) << name;
}

}  // namespace
