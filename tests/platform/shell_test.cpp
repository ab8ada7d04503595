// Real launches through the shell, of a probe program that records how it was started.
#include "platform/shell.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "platform/process.h"
#include "support/launch_probe_log.h"
#include "support/test_files.h"

namespace {

std::wstring withoutTrailingSlash(std::wstring folder) {
    while (folder.size() > 3 && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
    return folder;
}

bool sameFolder(const std::wstring& a, const std::wstring& b) {
    const std::wstring x = withoutTrailingSlash(a);
    const std::wstring y = withoutTrailingSlash(b);
    return CompareStringOrdinal(x.c_str(), static_cast<int>(x.size()), y.c_str(), static_cast<int>(y.size()), TRUE) ==
           CSTR_EQUAL;
}

bool endsWith(const std::wstring& text, const std::wstring& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Started probes inherit the log's name through the environment.
struct ShellLaunch : ::testing::Test {
    TempFolder folder;
    std::wstring log = folder.file(L"probe.log");
    std::wstring savedDirectory = currentDirectory();
    std::vector<std::wstring> copiedPrograms;

    void SetUp() override { ASSERT_TRUE(SetEnvironmentVariableW(L"KIVO_PROBE_LOG", log.c_str())); }

    void TearDown() override {
        SetEnvironmentVariableW(L"KIVO_PROBE_LOG", nullptr);
        setCurrentDirectory(savedDirectory);
        // A probe may still be on its way out; its program file is only free after that.
        for (const std::wstring& program : copiedPrograms) {
            for (int tries = 0; tries < 100 && !DeleteFileW(program.c_str()) &&
                                GetFileAttributesW(program.c_str()) != INVALID_FILE_ATTRIBUTES;
                 ++tries)
                Sleep(50);
        }
    }

    std::wstring copyProbeTo(const std::wstring& subfolder) {
        std::filesystem::create_directories(folder.path / subfolder);
        const std::wstring copy = (folder.path / subfolder / L"launch_probe.exe").wstring();
        EXPECT_TRUE(CopyFileW(probeProgramPath().c_str(), copy.c_str(), FALSE)) << "probe missing beside the test";
        copiedPrograms.push_back(copy);
        return copy;
    }

    ProbeRecord launched(const ShellRequest& request) {
        EXPECT_GT(shellExecute(request), 32);
        std::vector<ProbeRecord> records;
        EXPECT_TRUE(waitForProbeRecords(log, 1, records)) << "the probe did not start";
        EXPECT_EQ(records.size(), 1u);
        return records.empty() ? ProbeRecord{} : records.front();
    }
};

TEST_F(ShellLaunch, RelativeProgramIsFoundFromTheCurrentDirectory) {
    const std::wstring copy = copyProbeTo(L"tools");
    ASSERT_TRUE(setCurrentDirectory(folder.path.wstring()));
    ShellRequest request;
    request.file = L"tools\\launch_probe.exe";
    const ProbeRecord record = launched(request);
    EXPECT_NE(record.commandLine.find(L"launch_probe.exe"), std::wstring::npos) << record.commandLine;
    // Without a working directory the program starts in the caller's.
    EXPECT_TRUE(sameFolder(record.directory, folder.path.wstring())) << record.directory;
}

TEST_F(ShellLaunch, StartsInTheWorkingDirectoryGiven) {
    std::filesystem::create_directories(folder.path / L"work place");
    ShellRequest request;
    request.file = probeProgramPath();
    request.directory = (folder.path / L"work place").wstring();
    const ProbeRecord record = launched(request);
    EXPECT_TRUE(sameFolder(record.directory, request.directory)) << record.directory;
    EXPECT_FALSE(sameFolder(record.directory, currentDirectory()));
}

TEST_F(ShellLaunch, ParametersArriveExactlyAfterTheProgram) {
    ShellRequest request;
    request.file = probeProgramPath();
    request.parameters = L"first \"two words\"  \"C:\\a folder\\x.txt\" last";
    const ProbeRecord record = launched(request);
    EXPECT_TRUE(endsWith(record.commandLine, L" " + request.parameters)) << record.commandLine;
    EXPECT_NE(record.commandLine.find(L"launch_probe.exe"), std::wstring::npos) << record.commandLine;
}

TEST_F(ShellLaunch, ShowCommandReachesTheProgram) {
    ShellRequest request;
    request.file = probeProgramPath();
    request.showCommand = kShowMinimized;
    EXPECT_EQ(launched(request).showCommand, 2);
}

TEST_F(ShellLaunch, NormalShowCommandByDefault) {
    ShellRequest request;
    request.file = probeProgramPath();
    EXPECT_EQ(launched(request).showCommand, 1);
}

TEST(Shell, MissingProgramIsRefused) {
    TempFolder folder;
    ShellRequest request;
    request.file = folder.file(L"no such program.exe");
    EXPECT_LE(shellExecute(request), 32);
}

// The key state is the system's, so the test holds the key down itself.
TEST(Shell, KeyHeldFollowsTheKeyboard) {
    INPUT press{};
    press.type = INPUT_KEYBOARD;
    press.ki.wVk = VK_SHIFT;
    INPUT release = press;
    release.ki.dwFlags = KEYEVENTF_KEYUP;

    ASSERT_EQ(SendInput(1, &press, sizeof(INPUT)), 1u);
    const bool heldWhilePressed = keyHeld(kKeyShift);
    const bool controlWhilePressed = keyHeld(kKeyControl);
    ASSERT_EQ(SendInput(1, &release, sizeof(INPUT)), 1u);
    EXPECT_TRUE(heldWhilePressed);
    EXPECT_FALSE(controlWhilePressed);
    EXPECT_FALSE(keyHeld(kKeyShift));
}

}  // namespace
