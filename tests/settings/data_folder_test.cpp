#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "platform/drives.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/process.h"
#include "settings/data_folder.h"
#include "settings/language.h"
#include "support/test_files.h"

namespace {

std::vector<MessageRequest> asked;
MessageAnswer answer = MessageAnswer::Ok;

MessageAnswer recordAndAnswer(const MessageRequest& request) {
    asked.push_back(request);
    return answer;
}

std::wstring slash(const std::filesystem::path& p) { return withTrailingBackslash(p.wstring()); }

// Every test starts in a fresh folder and leaves the current directory as it found it.
class DataFolder : public testing::Test {
protected:
    TempFolder root;
    ProgramFolders folders;
    IniDocument doc;
    std::wstring startDirectory = currentDirectory();

    void SetUp() override {
        fillDefaultLanguage(languageTable);
        asked.clear();
        answer = MessageAnswer::Ok;
        std::filesystem::create_directories(root.path / L"prog");
        std::filesystem::create_directories(root.path / L"elsewhere");
        folders.programPath = (root.path / L"prog" / L"kivo.exe").wstring();
        folders.programFolder = slash(root.path / L"prog");
        setCurrentDirectory(slash(root.path / L"elsewhere"));
        folders.dataFolder = currentDirectory();
    }
    void TearDown() override { setCurrentDirectory(startDirectory); }

    void redirect(const std::string& text) { writeBytes(folders.programFolder + L"KivoRedir.ini", text); }
};

TEST_F(DataFolder, RelativeDataPathResolvesAgainstTheProgramFolder) {
    std::filesystem::create_directories(root.path / L"prog" / L"data");
    redirect("DataPath=data\r\n");
    ASSERT_TRUE(applyRedirectFile(folders, doc, recordAndAnswer));
    EXPECT_EQ(folders.dataFolder, slash(root.path / L"prog" / L"data"));
    EXPECT_EQ(currentDirectory(), folders.dataFolder);
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(readString(doc, L"DataPath", L""), L"data") << "the redirect file stays in the document";
}

TEST_F(DataFolder, MissingDataFolderIsCreatedWithEveryLevel) {
    _wputenv_s(L"KIVO_TEST_ROOT", root.path.wstring().c_str());
    redirect("DataPath = %KIVO_TEST_ROOT%\\new\\deeper\\data\r\n");
    ASSERT_TRUE(applyRedirectFile(folders, doc, recordAndAnswer));
    const std::wstring expected = slash(root.path / L"new" / L"deeper" / L"data");
    EXPECT_EQ(folders.dataFolder, expected);
    EXPECT_TRUE(folderExists(expected));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, L"New directory created:\r\n" + expected);
    EXPECT_EQ(asked[0].caption, L"KivoRedir.ini");
    EXPECT_EQ(asked[0].icon, MessageIcon::Information);
}

TEST_F(DataFolder, UncreatableDataFolderEndsTheProgram) {
    writeBytes(root.file(L"a file"), "x");
    redirect("DataPath=..\\a file\\data\r\n");
    EXPECT_FALSE(applyRedirectFile(folders, doc, recordAndAnswer));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text.rfind(L"Cannot create directory:\r\n", 0), 0u);
    EXPECT_EQ(asked[0].icon, MessageIcon::Warning);
    EXPECT_EQ(folders.dataFolder, slash(root.path / L"elsewhere"));
}

TEST_F(DataFolder, DataPathInsideAGroupOrEmptyIsIgnored) {
    redirect("[Somewhere]\r\nDataPath=data\r\n");
    ASSERT_TRUE(applyRedirectFile(folders, doc, recordAndAnswer));
    EXPECT_EQ(folders.dataFolder, slash(root.path / L"elsewhere"));
    redirect("DataPath=\r\n");
    ASSERT_TRUE(applyRedirectFile(folders, doc, recordAndAnswer));
    EXPECT_EQ(folders.dataFolder, slash(root.path / L"elsewhere"));
    EXPECT_FALSE(folderExists(folders.programFolder + L"data"));
    EXPECT_TRUE(asked.empty());
}

TEST_F(DataFolder, FolderArgumentNamesAFolderOrACategoryFile) {
    std::filesystem::create_directories(root.path / L"with space");
    ASSERT_TRUE(applyFolderArgument(folders, (root.path / L"with space").wstring(), recordAndAnswer));
    EXPECT_EQ(folders.dataFolder, slash(root.path / L"with space"));

    ASSERT_TRUE(applyFolderArgument(folders, (root.path / L"prog" / L"Games.KVL").wstring(), recordAndAnswer));
    EXPECT_EQ(folders.dataFolder, slash(root.path / L"prog"));
    EXPECT_EQ(currentDirectory(), folders.dataFolder);
    EXPECT_TRUE(asked.empty());
}

TEST_F(DataFolder, MissingFolderArgumentAsksFirst) {
    const std::wstring wanted = (root.path / L"wanted").wstring();
    answer = MessageAnswer::Cancel;
    EXPECT_FALSE(applyFolderArgument(folders, wanted, recordAndAnswer));
    EXPECT_FALSE(folderExists(wanted));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, L"Create directory?:\r\n" + wanted);
    EXPECT_EQ(asked[0].caption, L"Kivo Parameter");
    EXPECT_EQ(asked[0].buttons, MessageButtons::YesNoCancel);

    answer = MessageAnswer::No;
    EXPECT_TRUE(applyFolderArgument(folders, wanted, recordAndAnswer));
    EXPECT_FALSE(folderExists(wanted));
    EXPECT_EQ(folders.dataFolder, slash(root.path / L"elsewhere"));

    answer = MessageAnswer::Yes;
    EXPECT_TRUE(applyFolderArgument(folders, wanted + L"\\%KIVO_SURELY_UNSET%deep", recordAndAnswer));
    EXPECT_EQ(folders.dataFolder, slash(root.path / L"wanted" / L"deep")) << "unknown variables are removed";
    EXPECT_TRUE(folderExists(folders.dataFolder));
}

TEST_F(DataFolder, VariableDriveModeFollowsTheProgramDrive) {
    GeneralSettings general;
    selectGroup(doc, L"main");
    writeInt(doc, L"VarDrive", 1);
    std::wstring windir;
    ASSERT_TRUE(readEnvironmentVariable(L"windir", windir));

    folders.programPath = windir.substr(0, 2) + L"\\Tools\\kivo.exe";
    ASSERT_TRUE(checkProgramDrive(folders, doc, general, DriveFacts{kDriveFixed, false}, recordAndAnswer));
    EXPECT_EQ(general.VarDrive, 0) << "never on the Windows drive";

    folders.programPath = L"q:\\Tools\\kivo.exe";
    ASSERT_TRUE(checkProgramDrive(folders, doc, general, DriveFacts{kDriveFixed, false}, recordAndAnswer));
    EXPECT_EQ(general.VarDrive, 1);
    EXPECT_EQ(folders.programRoot, L"Q:\\");
    EXPECT_EQ(folders.programDrive, L'Q');
    std::wstring vdrive;
    ASSERT_TRUE(readEnvironmentVariable(L"Vdrive", vdrive));
    EXPECT_EQ(vdrive, L"Q:");

    writeInt(doc, L"VarDrive", 0);
    ASSERT_TRUE(checkProgramDrive(folders, doc, general, DriveFacts{kDriveFixed, false}, recordAndAnswer));
    EXPECT_EQ(general.VarDrive, 0);
    ASSERT_TRUE(checkProgramDrive(folders, doc, general, DriveFacts{kDriveRemovable, false}, recordAndAnswer));
    EXPECT_EQ(general.VarDrive, 1) << "removable media always";
    ASSERT_TRUE(checkProgramDrive(folders, doc, general, DriveFacts{kDriveCdrom, true}, recordAndAnswer));
    EXPECT_EQ(general.VarDrive, 1);
    EXPECT_TRUE(folders.settingsReadOnly) << "a write-protected drive";
    EXPECT_TRUE(asked.empty()) << "only removable media ask";
}

TEST_F(DataFolder, WriteProtectedRemovableDriveAsks) {
    GeneralSettings general;
    folders.programPath = L"Q:\\kivo.exe";
    answer = MessageAnswer::No;
    EXPECT_FALSE(checkProgramDrive(folders, doc, general, DriveFacts{kDriveRemovable, true}, recordAndAnswer));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, L"Running Kivo from write-protected device is not recommended.\rContinue anyway?");
    EXPECT_EQ(asked[0].caption, L"Warning");
    EXPECT_EQ(asked[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(asked[0].defaultButton, 2);
    answer = MessageAnswer::Yes;
    EXPECT_TRUE(checkProgramDrive(folders, doc, general, DriveFacts{kDriveRemovable, true}, recordAndAnswer));
    EXPECT_TRUE(folders.settingsReadOnly);
}

TEST_F(DataFolder, SettingsAreReadOnlyWhenTheFileIsMissingOrLocked) {
    GeneralSettings general;
    const DriveFacts fixed{kDriveFixed, false};
    ASSERT_TRUE(checkProgramDrive(folders, doc, general, fixed, recordAndAnswer));
    EXPECT_TRUE(folders.settingsReadOnly) << "no settings file";
    writeBytes(folders.dataFolder + L"Kivo.ini", "");
    ASSERT_TRUE(checkProgramDrive(folders, doc, general, fixed, recordAndAnswer));
    EXPECT_FALSE(folders.settingsReadOnly);
    setFileAttributes(folders.dataFolder + L"Kivo.ini", kFileAttributeReadOnly);
    ASSERT_TRUE(checkProgramDrive(folders, doc, general, fixed, recordAndAnswer));
    EXPECT_TRUE(folders.settingsReadOnly);
    setFileAttributes(folders.dataFolder + L"Kivo.ini", 0x80);
}

TEST_F(DataFolder, ASettingsFileThatCannotBeReadIsNeverWrittenOver) {
    const std::wstring path = folders.dataFolder + L"Kivo.ini";
    writeBytes(path, "; mine\r\n[main]\r\nWidth=400\r\n");
    GeneralSettings general;
    {
        // Another program holds the file open without sharing it.
        HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        openSettingsFile(folders, doc);
        ASSERT_TRUE(checkProgramDrive(folders, doc, general, DriveFacts{kDriveFixed, false}, recordAndAnswer));
        CloseHandle(held);
    }
    EXPECT_TRUE(folders.settingsUnreadable);
    EXPECT_TRUE(folders.settingsReadOnly) << "read-only for the whole run";
    refreshSettingsReadOnly(folders);
    EXPECT_TRUE(folders.settingsReadOnly) << "even once the file could be read again";
    EXPECT_EQ(readBytes(path), "; mine\r\n[main]\r\nWidth=400\r\n");

    openSettingsFile(folders, doc);
    EXPECT_FALSE(folders.settingsUnreadable);
    EXPECT_EQ(readString(doc, L"; mine", L"?"), L"");
    std::filesystem::remove(path);
    openSettingsFile(folders, doc);
    EXPECT_FALSE(folders.settingsUnreadable);
    EXPECT_TRUE(fileExists(path)) << "a missing file is made, empty";
    EXPECT_EQ(readBytes(path), "");
}

// Drive letters that the test command maps: E: removable, F: CD-ROM, G: fixed.
TEST(DriveFacts, MappedTestDrives) {
    if (!folderExists(L"E:\\") || !folderExists(L"F:\\") || driveType(L"G:\\") != kDriveFixed)
        GTEST_SKIP() << "test drives E:, F:, G: are mapped by ./kivo.sh test";
    EXPECT_EQ(inspectDrive(L"E:\\").driveType, kDriveRemovable);
    EXPECT_FALSE(inspectDrive(L"E:\\").writeProtected);
    EXPECT_EQ(inspectDrive(L"F:\\").driveType, kDriveCdrom);
    EXPECT_TRUE(inspectDrive(L"F:\\").writeProtected);
    EXPECT_FALSE(inspectDrive(L"G:\\").writeProtected);
}

}  // namespace
