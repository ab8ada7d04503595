// Files that once lost or changed data on a load and a save. Each is loaded and
// saved twice, as a settings file and as a category file: the second save must
// equal the first, and the second load must read what the first read.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "platform/process.h"
#include "platform/text_codec.h"
#include "settings/ini_document.h"
#include "store/category_file.h"
#include "support/test_files.h"

namespace {

std::filesystem::path regressionFolder() {
    return std::filesystem::path(programFilePath()).parent_path() / L"regressions";
}

std::vector<std::filesystem::path> regressionFiles() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(regressionFolder())) files.push_back(entry.path());
    return files;
}

struct SettingsRead {
    std::string saved;
    std::vector<std::wstring> lines;  // group, key and value of every entry
};

SettingsRead settingsRoundTrip(const std::wstring& path) {
    IniDocument doc;
    doc.path = path;
    EXPECT_TRUE(load(doc));
    SettingsRead read;
    for (const IniEntry& e : doc.entries)
        read.lines.push_back(doc.groupNames[static_cast<size_t>(e.group)] + L"|" + e.key + L"|" + e.value);
    doc.changes = 1;
    EXPECT_TRUE(save(doc));
    read.saved = readBytes(path);
    return read;
}

struct CategoryRead {
    std::string saved;
    std::vector<std::wstring> items;  // caption and definition of every item that is kept
};

CategoryRead categoryRoundTrip(const std::wstring& path) {
    CategoryStore store;
    EXPECT_TRUE(loadCategoryFile(store, path));
    CategoryRead read;
    for (const CategoryItem& item : store.items)
        if (!itemText(item).empty()) read.items.push_back(std::wstring(itemText(item)) + L"=" + std::wstring(itemDefinition(item)));
    EXPECT_TRUE(saveCategoryFile(store, path));
    read.saved = readBytes(path);
    return read;
}

TEST(FileRegressions, ASecondLoadAndSaveChangeNothing) {
    const std::vector<std::filesystem::path> files = regressionFiles();
    ASSERT_GE(files.size(), 6u) << regressionFolder();
    for (const std::filesystem::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        TempFolder dir;
        const std::string original = readBytes(file.wstring());
        writeBytes(dir.file(L"Kivo.ini"), original);
        const SettingsRead first = settingsRoundTrip(dir.file(L"Kivo.ini"));
        const SettingsRead second = settingsRoundTrip(dir.file(L"Kivo.ini"));
        EXPECT_EQ(second.saved, first.saved);
        EXPECT_EQ(second.lines, first.lines);

        writeBytes(dir.file(L"Tools.kvl"), original);
        const CategoryRead once = categoryRoundTrip(dir.file(L"Tools.kvl"));
        const CategoryRead twice = categoryRoundTrip(dir.file(L"Tools.kvl"));
        EXPECT_EQ(twice.saved, once.saved);
        EXPECT_EQ(twice.items, once.items);
    }
}

TEST(FileRegressions, WhatEachFileHolds) {
    TempFolder dir;
    auto settingsOf = [&](const wchar_t* name) {
        writeBytes(dir.file(L"Kivo.ini"), readBytes((regressionFolder() / name).wstring()));
        return settingsRoundTrip(dir.file(L"Kivo.ini"));
    };
    auto categoryOf = [&](const wchar_t* name) {
        writeBytes(dir.file(L"Tools.kvl"), readBytes((regressionFolder() / name).wstring()));
        return categoryRoundTrip(dir.file(L"Tools.kvl"));
    };
    const std::string bigEndian = readBytes((regressionFolder() / L"utf16be-settings.ini").wstring());
    EXPECT_EQ(settingsOf(L"utf16be-settings.ini").saved, bigEndian) << "written back as it came";
    EXPECT_EQ(settingsOf(L"utf16be-settings.ini").lines.back(), L"main|Name|Gr\u00FC\u00DFe");

    EXPECT_EQ(categoryOf(L"utf16le-odd-length.kvl").items.back(), L"Last=xy") << "the odd last byte stays";
    EXPECT_EQ(categoryOf(L"ansi-with-utf8-looking-pair.kvl").items.back(), ansiToWide("Ma\xDF\x93") + L"=c.exe");
    EXPECT_EQ(settingsOf(L"ansi-first-line-like-utf16-mark.ini").lines.front(), L"|\u00FF\u00FEabc|1");
    EXPECT_EQ(settingsOf(L"utf8-first-key-begins-with-feff.ini").lines.front(), L"|\uFEFFkey|1");
    const std::string mixed = readBytes((regressionFolder() / L"utf8-with-a-latin1-line.ini").wstring());
    EXPECT_EQ(settingsOf(L"utf8-with-a-latin1-line.ini").saved, mixed) << "the Latin-1 line keeps its bytes";
    const std::string wide = readBytes((regressionFolder() / L"utf32le-category.kvl").wstring());
    EXPECT_EQ(categoryOf(L"utf32le-category.kvl").saved, wide);
    EXPECT_EQ(categoryOf(L"utf32le-category.kvl").items.front(), L"Caf\u00E9=\U0001F600.exe");
    const SettingsRead equals = settingsOf(L"line-beginning-with-equals.ini");
    EXPECT_EQ(equals.saved, "=abc\r\n[main]\r\n=x=y\r\nWidth=1\r\n") << "lines holding \"=\" keep their form";
}

}  // namespace
