#include <gtest/gtest.h>

#include "launch/item_fields.h"
#include "platform/environment.h"
#include "platform/process.h"

namespace {

CategoryItem element(const std::wstring& text, const std::wstring& definition) {
    CategoryItem item;
    setItemText(item, text);
    setItemDefinition(item, definition);
    return item;
}

TEST(ItemKind, FirstMatchingTestOnTheStoredCommandDecides) {
    EXPECT_EQ(itemKindOf(L"kivo"), ItemKind::CategorySwitch);
    EXPECT_EQ(itemKindOf(L"KIVO"), ItemKind::CategorySwitch);
    EXPECT_EQ(itemKindOf(L"Kivo.exe"), ItemKind::Ordinary);
    EXPECT_EQ(itemKindOf(L"kivo "), ItemKind::Ordinary);

    EXPECT_EQ(itemKindOf(L"files"), ItemKind::FileMenu);
    EXPECT_EQ(itemKindOf(L"Files notepad.exe"), ItemKind::FileMenu);
    EXPECT_EQ(itemKindOf(L"filesync.exe"), ItemKind::Ordinary);
    EXPECT_EQ(itemKindOf(L"files_http"), ItemKind::Ordinary) << "a failed file-menu test is not tested further";

    EXPECT_EQ(itemKindOf(L"HTTPS://example.org"), ItemKind::WebAddress);
    EXPECT_EQ(itemKindOf(L"http://example.org"), ItemKind::WebAddress);
    EXPECT_EQ(itemKindOf(L"MailTo:someone@example.org"), ItemKind::WebAddress);
    EXPECT_EQ(itemKindOf(L"www.example.org"), ItemKind::Ordinary);
    EXPECT_EQ(itemKindOf(L"%HOMEPAGE%"), ItemKind::Ordinary);
    EXPECT_EQ(itemKindOf(L""), ItemKind::Ordinary);
}

TEST(ItemFields, ParseTakesTheFieldsAndLeavesNoIcons) {
    const CategoryItem item = element(L"Tool", L"%KIVO_TEST_TOOL%\\x.exe;-a\x7F-b;%KIVO_TEST_TOOL%;max;icons.dll,2");
    ItemFields fields;
    fields.largeIcon = reinterpret_cast<void*>(0x10);  // left from the item before
    parseItem(item, fields);
    EXPECT_EQ(fields.text, L"Tool");
    EXPECT_EQ(fields.command, L"%KIVO_TEST_TOOL%\\x.exe");
    EXPECT_EQ(fields.parameters, L"-a;-b");
    EXPECT_EQ(fields.showMode, kShowModeMax);
    EXPECT_EQ(fields.iconSource, L"icons.dll,2");
    EXPECT_EQ(fields.largeIcon, nullptr);
    EXPECT_EQ(fields.smallIcon, nullptr);
}

TEST(ItemFields, PrepareExpandsCommandParametersAndDirectoryOnly) {
    setEnvironmentVariable(L"KIVO_TEST_TOOL", L"C:\\Tools");
    ItemFields fields;
    prepareLaunch(element(L"%KIVO_TEST_TOOL%", L"%KIVO_TEST_TOOL%\\x.exe;%KIVO_TEST_TOOL%;%KIVO_TEST_TOOL%;;%KIVO_TEST_TOOL%\\i.ico"),
                  fields);
    EXPECT_EQ(fields.command, L"C:\\Tools\\x.exe");
    EXPECT_EQ(fields.parameters, L"C:\\Tools");
    EXPECT_EQ(fields.directory, L"C:\\Tools");
    EXPECT_EQ(fields.text, L"%KIVO_TEST_TOOL%");
    EXPECT_EQ(fields.iconSource, L"%KIVO_TEST_TOOL%\\i.ico");
}

TEST(ItemFields, WebAndMailAddressesKeepTheirPercentEncoding) {
    setEnvironmentVariable(L"KIVO_TEST_HOST", L"example.com");
    ItemFields fields;
    prepareLaunch(element(L"Web", L"http://%KIVO_TEST_HOST%/a%20b%20c"), fields);
    EXPECT_EQ(fields.command, L"http://example.com/a%20b%20c") << "known variables are still expanded";
    prepareLaunch(element(L"Mail", L"mailto:a@example.com?subject=x%20y%2Cz"), fields);
    EXPECT_EQ(fields.command, L"mailto:a@example.com?subject=x%20y%2Cz");
    prepareLaunch(element(L"Browser", L"firefox.exe;-new-tab HTTPS://example.com/a%20b%20c"), fields);
    EXPECT_EQ(fields.parameters, L"-new-tab HTTPS://example.com/a%20b%20c");
    prepareLaunch(element(L"Other", L"tool.exe;copy %1 to %2;%KIVO_UNSET_A%x"), fields);
    EXPECT_EQ(fields.parameters, L"copy 2") << "other commands lose leftover pairs as before";
    EXPECT_EQ(fields.directory, L"x");
}

TEST(ExpandVariables, RemovesWhatCannotBeExpanded) {
    std::wstring windows;
    ASSERT_TRUE(readEnvironmentVariable(L"windir", windows));
    EXPECT_EQ(expandVariables(L"%windir%\\notepad.exe"), windows + L"\\notepad.exe");
    EXPECT_EQ(expandVariables(L"%KIVO_UNSET_A% and %KIVO_UNSET_B%"), L" and ");
    EXPECT_EQ(expandVariables(L"copy %1 to %2"), L"copy 2") << "batch placeholders are not references";
    EXPECT_EQ(expandVariables(L"100%"), L"100%");
    EXPECT_EQ(expandVariables(L"%KIVO_UNSET_A%"), L"");
    const std::wstring longValue(400, L'x');
    setEnvironmentVariable(L"KIVO_TEST_LONG", longValue);
    EXPECT_EQ(expandVariables(L"%KIVO_TEST_LONG%\\y"), longValue + L"\\y") << "no length limit";
}

TEST(ToFullPath, ResolvesAgainstTheCurrentDirectoryAndKeepsUnknownReferences) {
    EXPECT_EQ(toFullPath(L""), L"");
    const std::wstring here = currentDirectory();
    EXPECT_EQ(toFullPath(L"sub\\file.txt"), here + L"sub\\file.txt");
    EXPECT_EQ(toFullPath(L"%KIVO_UNSET_A%\\x"), here + L"%KIVO_UNSET_A%\\x");
    setEnvironmentVariable(L"KIVO_TEST_TOOL", L"C:\\Tools");
    EXPECT_EQ(toFullPath(L"%KIVO_TEST_TOOL%\\..\\x.exe"), L"C:\\x.exe");
}

TEST(JoinDefinition, ComposesTheStoredForm) {
    const std::wstring data = L"C:\\Data\\Kivo\\";
    ItemFields fields;
    fields.text = L"Editor";
    fields.command = L"notepad.exe";
    CategoryItem out;
    joinDefinition(fields, false, data, out);
    EXPECT_EQ(itemText(out), L"Editor");
    EXPECT_EQ(itemDefinition(out), L"notepad.exe");

    fields.showMode = kShowModeMax;
    joinDefinition(fields, false, data, out);
    EXPECT_EQ(itemDefinition(out), L"notepad.exe;;;max");

    fields.parameters = L"/c a; b";
    fields.showMode = kShowModeNormal;
    fields.iconSource = L"c:\\data\\KIVO\\icons\\a.ico,2";
    joinDefinition(fields, false, data, out);
    EXPECT_EQ(itemDefinition(out), L"notepad.exe;/c a\x7F b;;;icons\\a.ico,2") << "icon inside the data folder, any case";

    fields.iconSource = L"C:\\Other\\a.ico";
    joinDefinition(fields, false, data, out);
    EXPECT_EQ(itemDefinition(out), L"notepad.exe;/c a\x7F b;;;C:\\Other\\a.ico");

    ItemFields separator;
    separator.text = L"-----";
    joinDefinition(separator, true, data, out);
    EXPECT_EQ(itemText(out), L"-----");
    EXPECT_EQ(itemDefinition(out), L"");
}

TEST(JoinDefinition, RoundTripsThroughParse) {
    ItemFields fields;
    fields.text = L"Ü";
    fields.command = L"mailto:a@b.com;c@d.com";
    fields.parameters = L"a;b;c";
    fields.directory = L"C:\\a;b";
    fields.showMode = kShowModeAdmin;
    fields.iconSource = L"D:\\x;y\\set.dll,3";
    CategoryItem out;
    joinDefinition(fields, false, L"D:\\x;y\\", out);
    EXPECT_EQ(itemDefinition(out), L"mailto:a@b.com\x7F" L"c@d.com;a\x7F" L"b\x7F" L"c;C:\\a\x7F" L"b;admin;set.dll,3");
    fields.iconSource = L"set.dll,3";
    ItemFields back;
    parseItem(out, back);
    EXPECT_EQ(back.command, fields.command);
    EXPECT_EQ(back.parameters, fields.parameters);
    EXPECT_EQ(back.directory, fields.directory);
    EXPECT_EQ(back.iconSource, fields.iconSource);
    EXPECT_EQ(back.showMode, kShowModeAdmin);
    EXPECT_EQ(back.text, L"Ü");
}

}  // namespace
