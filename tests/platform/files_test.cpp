#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>

#include "platform/files.h"
#include "support/test_files.h"

namespace {

TEST(ReplaceFileContent, WritesInPlaceWhereNoNewFileCanBeMade) {
    TempFolder dir;
    const std::wstring target = dir.file(L"Kivo.ini");
    writeBytes(target, "an old and longer content\r\n");
    // Something that is not a file holds the new file's name.
    const std::wstring blocked = siblingTempName(target, GetCurrentProcessId());
    std::filesystem::create_directory(blocked);

    ASSERT_TRUE(replaceFileContent(target, "new\r\n"));
    EXPECT_EQ(readBytes(target), "new\r\n") << "cut at its new end";
    EXPECT_TRUE(folderExists(blocked));

    setFileAttributes(target, kFileAttributeReadOnly);
    EXPECT_FALSE(replaceFileContent(target, "other\r\n"));
    EXPECT_EQ(readBytes(target), "new\r\n");
    setFileAttributes(target, 0x80);
}

TEST(ReplaceFileContent, NeverInPlaceForALongNameOrANewFileInUse) {
    TempFolder dir;
    const std::wstring target = dir.file(std::wstring(245, L'c') + L".kvl"), secondName = dir.file(L"link.kvl");
    writeBytes(target, "old");
    ASSERT_TRUE(CreateHardLinkW(secondName.c_str(), target.c_str(), nullptr));
    ASSERT_TRUE(replaceFileContent(target, "new"));
    EXPECT_EQ(readBytes(secondName), "old") << "written in place, not renamed into place";
    HANDLE busy = CreateFileW(siblingTempName(target, GetCurrentProcessId()).c_str(), GENERIC_WRITE, 0, 0, CREATE_NEW, 0, 0);
    EXPECT_FALSE(replaceFileContent(target, "other"));
    CloseHandle(busy);
    EXPECT_EQ(readBytes(target), "new");
}

TEST(SiblingTempName, TakenApartOnlyInItsOwnForm) {
    std::wstring target;
    uint32_t id = 0;
    ASSERT_TRUE(parseSiblingTempName(siblingTempName(L"My.Tools.kvl", 4294967295u), target, id));
    EXPECT_EQ(target, L"My.Tools.kvl");
    EXPECT_EQ(id, 4294967295u);
    for (const wchar_t* other : {L"Kivo.ini.new", L"Kivo.ini.12a.new", L".12.new", L"Kivo.ini.4294967296.new",
                                 L"Kivo.ini.12.new.txt", L"Kivo.ini..new"})
        EXPECT_FALSE(parseSiblingTempName(other, target, id)) << other;
}

TEST(LongPathForm, ForDrivesSharesAndRelativePathsOnce) {
    EXPECT_EQ(longPathForm(L"C:\\Data\\..\\Kivo/Kivo.ini"), L"\\\\?\\C:\\Kivo\\Kivo.ini");
    EXPECT_EQ(longPathForm(L"\\\\server\\share\\Kivo.ini"), L"\\\\?\\UNC\\server\\share\\Kivo.ini");
    EXPECT_EQ(longPathForm(L"Kivo.ini"), L"\\\\?\\" + fullPathName(L"Kivo.ini"));
    for (const wchar_t* done : {L"\\\\?\\C:\\a", L"\\\\?\\UNC\\s\\x\\a", L"\\\\.\\COM1"})
        EXPECT_EQ(longPathForm(done), done) << "no second prefix";
    EXPECT_EQ(plainPathForm(L"\\\\?\\UNC\\server\\share\\x"), L"\\\\server\\share\\x");
}

TEST(Files, WorkInAFolderOfAnyLength) {
    TempFolder dir;
    std::wstring deep = dir.path.wstring();
    for (wchar_t level : {L'a', L'b', L'c', L'd', L'e'}) deep += L"\\" + std::wstring(60, level);
    ASSERT_TRUE(createFolderPath(deep));
    ASSERT_TRUE(replaceFileContent(deep + L"\\Kivo.ini", "new"));
    std::string bytes;
    EXPECT_TRUE(readWholeFile(deep + L"\\Kivo.ini", bytes) && bytes == "new");
    EXPECT_TRUE(renameFile(deep + L"\\Kivo.ini", deep + L"\\Tools.kvl"));
    bool readable = false;
    EXPECT_EQ(listFiles(deep, L"*.kvl", &readable), std::vector<std::wstring>{L"Tools.kvl"});
    EXPECT_TRUE(readable && deleteFile(deep + L"\\Tools.kvl"));
    EXPECT_TRUE(listFiles(deep, L"*.kvl", &readable).empty() && readable) << "an empty folder is read";
    listFiles(deep + L"\\gone", L"*.kvl", &readable);
    EXPECT_FALSE(readable) << "a missing folder is not";
}

}  // namespace
