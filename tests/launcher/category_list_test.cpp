#include <gtest/gtest.h>

#include <filesystem>

#include "launcher/category_list.h"
#include "support/test_files.h"

namespace {

std::wstring joined(const std::vector<std::wstring>& names) {
    std::wstring text;
    for (const std::wstring& n : names) text += (text.empty() ? L"" : L",") + n;
    return text;
}

TEST(CategoryList, MenuOrderWithTheStartupCategoryLast) {
    TempFolder dir;
    for (const wchar_t* name : {L"zebra.kvl", L"&Startup.kvl", L"Alpha.kvl", L"beta.kvl", L"temp.kvl",
                                L"notes.txt", L"odd.kvlx", L".kvl"})
        writeBytes(dir.file(name), "");
    std::filesystem::create_directories(dir.path / L"folder.kvl");
    CategoryNavigation nav;
    RebuildCategoryList(nav, dir.path.wstring(), L"Startup");
    EXPECT_EQ(joined(nav.categoryList), L"Alpha,beta,temp,zebra,&Startup");
    EXPECT_EQ(nav.startupCategory, L"&Startup") << "the name its file can be found by";
    EXPECT_FALSE(nav.categorySetChanged);

    writeBytes(dir.file(L"new.kvl"), "");
    RebuildCategoryList(nav, dir.path.wstring(), L"Startup");
    EXPECT_EQ(nav.categoryList.size(), 5u) << "rebuilt only when the set changed";
    nav.categorySetChanged = true;
    RebuildCategoryList(nav, dir.path.wstring(), L"Startup");
    EXPECT_EQ(nav.categoryList.size(), 6u);
}

TEST(CategoryList, AFolderThatCannotBeListedIsNoEmptyFolder) {
    TempFolder dir;
    CategoryNavigation nav;
    nav.categoryList = {L"Tools"};
    RebuildCategoryList(nav, dir.file(L"gone"), L"Startup");
    EXPECT_TRUE(nav.folderUnreadable);
    EXPECT_EQ(joined(nav.categoryList), L"Tools") << "the list it had stays";
    EXPECT_TRUE(nav.categorySetChanged) << "and is read again next time";
}

TEST(CategoryList, StartupByNameOrByTheLanguagesText) {
    TempFolder english;
    writeBytes(english.file(L"STARTUP.kvl"), "");
    writeBytes(english.file(L"Autostart.kvl"), "");
    CategoryNavigation nav;
    RebuildCategoryList(nav, english.path.wstring(), L"Autostart");
    EXPECT_EQ(nav.startupCategory, L"startup");
    EXPECT_EQ(joined(nav.categoryList), L"startup") << "a second start-up category is not listed";

    TempFolder german;
    writeBytes(german.file(L"autostart.kvl"), "");
    writeBytes(german.file(L"Spiele.kvl"), "");
    CategoryNavigation de;
    RebuildCategoryList(de, german.path.wstring(), L"Autostart");
    EXPECT_EQ(de.startupCategory, L"Autostart");
    EXPECT_EQ(joined(de.categoryList), L"Spiele,Autostart");
    EXPECT_TRUE(isStartupCategoryName(L"&Autostart", L"Autostart"));
    EXPECT_FALSE(isStartupCategoryName(L"Start up", L"Startup"));
}

TEST(NextCategory, WrapsBeforeTheStartupCategory) {
    CategoryNavigation nav;
    nav.categoryList = {L"A", L"B", L"C", L"startup"};
    nav.startupCategory = L"startup";
    EXPECT_EQ(NextCategory(nav, L"A"), L"B");
    EXPECT_EQ(NextCategory(nav, L"C"), L"A");
    EXPECT_EQ(NextCategory(nav, L"startup"), L"A");
    EXPECT_EQ(NextCategory(nav, L"b"), L"A") << "names compare exactly";
    EXPECT_EQ(NextCategory(nav, L"Gone"), L"A");
    nav.categoryList = {L"A", L"B"};
    nav.startupCategory.clear();
    EXPECT_EQ(NextCategory(nav, L"B"), L"A");
    EXPECT_EQ(NextCategory(CategoryNavigation{}, L"Only"), L"Only");
}

TEST(VisitedCategories, BackspaceCyclesThroughTheHistory) {
    CategoryNavigation nav;
    for (const wchar_t* shown : {L"A", L"B", L"C"}) PushVisited(nav, shown);
    std::wstring seen;
    for (int i = 0; i < 4; ++i) {
        std::wstring back = StepBackVisited(nav);
        PushVisited(nav, back);  // the start-up loop records what it shows
        seen += back;
    }
    EXPECT_EQ(seen, L"BACB");
}

TEST(VisitedCategories, PushDropAndReplace) {
    CategoryNavigation nav;
    EXPECT_EQ(StepBackVisited(nav), L"");
    EXPECT_EQ(DropVisited(nav), L"");
    EXPECT_EQ(ReplaceVisited(nav, L"X"), L"");
    PushVisited(nav, L"Only");
    EXPECT_EQ(StepBackVisited(nav), L"Only") << "one category: itself again";
    PushVisited(nav, L"Tools");
    PushVisited(nav, L"tools");
    EXPECT_EQ(joined(nav.visitedCategories), L"tools,Only") << "one entry per name, whatever the case";
    EXPECT_EQ(ReplaceVisited(nav, L"Renamed"), L"Renamed");
    EXPECT_EQ(joined(nav.visitedCategories), L"Renamed,Only");
    EXPECT_EQ(DropVisited(nav), L"Only");
    EXPECT_EQ(DropVisited(nav), L"");
}

}  // namespace
