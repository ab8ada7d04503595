#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/shell_links.h"
#include "support/test_files.h"

namespace {

// The temporary folder may be given in its short form; the shortcut may answer
// with the long one. Both name the same place.
std::wstring longForm(const std::wstring& path) {
    std::wstring buffer(32768, L'\0');
    const DWORD length = GetLongPathNameW(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0 || length >= buffer.size()) return path;
    buffer.resize(length);
    return buffer;
}

// Fields that must all be overwritten by whatever is read.
ShellLinkInfo leftovers() { return {L"C:\\old.exe", L"/old", L"C:\\old", L"C:\\old.ico", 2, 7}; }

struct ShellLinks : testing::Test {
    TempFolder dir;
    std::wstring folder;  // a folder with a space and a non-ASCII letter in its name
    std::wstring target;

    void SetUp() override {
        folder = dir.file(L"Über Ordner");
        std::filesystem::create_directories(std::filesystem::path(folder));
        target = folder + L"\\Ziel Programm.exe";
        writeBytes(target, "not really a program");
    }
};

TEST_F(ShellLinks, RoundTripKeepsTargetArgumentsAndWorkingDirectory) {
    const ShellLinkInfo written{target, L"--name \"Über Wert\" /x:ä", folder, L"", 0, 1};
    const std::wstring linkFile = dir.file(L"Über Verknüpfung.lnk");
    createShellLink(written, linkFile);

    ShellLinkInfo read = leftovers();
    ASSERT_TRUE(resolveShellLink(linkFile, read));
    EXPECT_EQ(longForm(read.path), longForm(written.path));
    EXPECT_EQ(read.arguments, written.arguments);
    EXPECT_EQ(longForm(read.workingDirectory), longForm(written.workingDirectory));

    std::wstring arguments;
    while (arguments.size() < 600) arguments += L"/option=Überlänge ";
    ShellLinkInfo longer;
    longer.path = target;
    longer.arguments = arguments;
    createShellLink(longer, linkFile);
    ASSERT_TRUE(resolveShellLink(linkFile, read));
    EXPECT_EQ(read.arguments, arguments) << "longer than a path, written again";
    EXPECT_EQ(read.workingDirectory, L"");
}

TEST_F(ShellLinks, MissingOrBrokenShortcutsReadAsNothing) {
    ShellLinkInfo missing = leftovers();
    EXPECT_FALSE(resolveShellLink(dir.file(L"missing.lnk"), missing));
    EXPECT_EQ(missing.path, L"");

    std::string noise;
    for (int i = 0; i < 512; ++i) noise.push_back(static_cast<char>((i * 73 + 11) & 0xFF));
    const std::wstring linkFile = dir.file(L"noise.lnk");
    writeBytes(linkFile, noise);

    ShellLinkInfo read = leftovers();
    EXPECT_FALSE(resolveShellLink(linkFile, read));
    EXPECT_EQ(read.path, L"");
    EXPECT_EQ(read.arguments, L"");
    EXPECT_EQ(read.workingDirectory, L"");
}

// Many shortcuts are read from copies in memory: a damaged one ends at its
// copy's end, whatever its sizes claim, and a file far larger than any
// shortcut is not read at all.
TEST_F(ShellLinks, TargetsOfDamagedShortcutsReadAsNothing) {
    const std::wstring real = dir.file(L"real.lnk");
    createShellLink(ShellLinkInfo{target, L"", folder, L"", 0, 1}, real);
    const std::string bytes = readBytes(real);
    ASSERT_GT(bytes.size(), 80u);
    std::string claimsMore = bytes;
    claimsMore[76] = claimsMore[77] = '\xFF';  // the size of the item list after the header
    const std::string damaged[] = {bytes.substr(0, 20), bytes.substr(0, 77), claimsMore, std::string()};
    std::vector<std::wstring> files{real};
    for (const std::string& content : damaged) {
        files.push_back(dir.file(L"damaged" + std::to_wstring(files.size()) + L".lnk"));
        writeBytes(files.back(), content);
    }
    files.push_back(dir.file(L"large.lnk"));
    writeBytes(files.back(), bytes + std::string(static_cast<size_t>(kLargestShortcutFile), '\0'));
    files.push_back(real);

    const std::vector<ShellLinkInfo> targets = shellLinkTargets(files);
    ASSERT_EQ(targets.size(), files.size());
    EXPECT_EQ(longForm(targets.front().path), longForm(target));
    for (size_t i = 1; i + 1 < targets.size(); ++i) EXPECT_EQ(targets[i].path, L"") << "file " << i;
    EXPECT_EQ(longForm(targets.back().path), longForm(target)) << "a damaged file leaves the link object whole";
}

}  // namespace
