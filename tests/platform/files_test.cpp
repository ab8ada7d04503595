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

}  // namespace
