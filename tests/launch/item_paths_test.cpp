#include <gtest/gtest.h>

#include <filesystem>

#include "launch/item_paths.h"
#include "platform/shell_links.h"
#include "support/test_files.h"

namespace {

std::wstring textFor(const std::wstring& path) {
    ItemFields item;
    deriveItemText(item, path);
    return item.text;
}

TEST(DeriveItemText, FileNamesLoseTheirExtensionFoldersDoNot) {
    TempFolder dir;
    std::filesystem::create_directory(dir.path / L"Project.v2");
    EXPECT_EQ(textFor(L"C:\\Tools\\archive.tar.gz"), L"archive.tar");
    EXPECT_EQ(textFor(L"C:\\Tools\\README"), L"README");
    EXPECT_EQ(textFor(L"C:\\Tools\\odd."), L"odd.");
    EXPECT_EQ(textFor(L"C:\\Tools\\.profile"), L".profile");
    EXPECT_EQ(textFor(L"C:\\Tools\\v1. final"), L"v1. final");
    EXPECT_EQ(textFor(L"\"C:\\Tools\\app.exe\" -x"), L"app");
    EXPECT_EQ(textFor(dir.file(L"Project.v2")), L"Project.v2");
    EXPECT_EQ(textFor(L"www.example.org/page.html"), L"www.example.org");
    EXPECT_EQ(textFor(L"https://www.example.org:8080/page"), L"www.example.org");
    EXPECT_EQ(textFor(L"mailto:someone@example.org?subject=x"), L"someone@example.org");

    ItemFields named;
    named.text = L"Mine";
    deriveItemText(named, L"C:\\x.exe");
    EXPECT_EQ(named.text, L"Mine");
}

TEST(TakeCommandPath, PathBecomesTheCommand) {
    TempFolder dir;
    ItemFields item;
    EXPECT_FALSE(takeCommandPath(item, L"   "));
    EXPECT_EQ(item.command, L"");
    const std::wstring folder = dir.path.wstring() + L"\\";
    EXPECT_TRUE(takeCommandPath(item, folder));
    EXPECT_EQ(item.command, folder) << "the backslash stays in the command";
    EXPECT_EQ(item.text, dir.path.filename().wstring());
}

TEST(TakeDroppedFile, InternetShortcutGivesItsAddress) {
    TempFolder dir;
    const std::wstring url = dir.file(L"Example Site.url");
    writeBytes(url, "[InternetShortcut]\r\n  URL=https://example.org/start  \r\nIconIndex=0\r\n");
    ItemFields item;
    EXPECT_EQ(takeDroppedFile(item, url), DropTaken::InternetAddress);
    EXPECT_EQ(item.command, L"https://example.org/start");
    EXPECT_EQ(item.text, L"Example Site") << "a new item is named after the shortcut";

    ItemFields named;
    named.text = L"Kept";
    writeBytes(url, "\xFF\xFE" + utf16Bytes(L"[InternetShortcut]\nURL=https://example.org/ü\n"));
    EXPECT_EQ(takeDroppedFile(named, url), DropTaken::InternetAddress);
    EXPECT_EQ(named.command, L"https://example.org/ü");
    EXPECT_EQ(named.text, L"Kept");

    const std::wstring plain = dir.file(L"No Address.URL");
    writeBytes(plain, "[InternetShortcut]\r\nurl=lower case does not count\r\n");
    ItemFields other;
    EXPECT_EQ(takeDroppedFile(other, plain), DropTaken::Path);
    EXPECT_EQ(other.command, plain);
    EXPECT_EQ(other.text, L"No Address");
}

TEST(TakeDroppedFile, ShortcutGivesTargetArgumentsAndDirectory) {
    TempFolder dir;
    const std::wstring target = dir.file(L"Tool Box.exe");
    writeBytes(target, "MZ");
    const std::wstring link = dir.file(L"Tool.lnk");

    createShellLink({target, L"-a \"b c\"", dir.path.wstring(), L"", 0, 1}, link);
    ItemFields item;
    EXPECT_EQ(takeDroppedFile(item, link), DropTaken::Path);
    EXPECT_EQ(item.command, target);
    EXPECT_EQ(item.parameters, L"-a \"b c\"");
    EXPECT_EQ(item.directory, L"") << "the target's own folder is not kept";
    EXPECT_EQ(item.text, L"Tool Box");

    std::filesystem::create_directory(dir.path / L"Work");
    createShellLink({target, L"", dir.file(L"Work"), L"", 0, 1}, link);
    ItemFields other;
    takeDroppedFile(other, link);
    EXPECT_EQ(other.directory, dir.file(L"Work") + L"\\");

    const std::wstring broken = dir.file(L"Broken.lnk");
    writeBytes(broken, "not a shortcut");
    ItemFields plain;
    EXPECT_EQ(takeDroppedFile(plain, broken), DropTaken::Path);
    EXPECT_EQ(plain.command, broken);
    EXPECT_EQ(plain.text, L"Broken");
}

}  // namespace
