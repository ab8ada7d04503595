// Launches that really start a program: launch_probe.exe records its command
// line, current directory and show command.
#include <filesystem>

#include "launch/launch_item.h"
#include "launch/recorded_launch.h"
#include "platform/centered_message_box.h"
#include "platform/environment.h"
#include "support/launch_probe_log.h"

namespace {

class RealLaunch : public RecordedLaunch {
protected:
    void SetUp() override {
        RecordedLaunch::SetUp();
        launchState.services.runShell = shellExecute;
        std::filesystem::create_directory(data.path / L"my tools");
        std::filesystem::copy_file(probeProgramPath(), data.path / L"my tools" / L"probe.exe");
        log = data.file(L"probe.log");
        setEnvironmentVariable(L"KIVO_PROBE_LOG", log);
    }
    void TearDown() override {
        setEnvironmentVariable(L"KIVO_PROBE_LOG", L"");
        RecordedLaunch::TearDown();
    }
    std::wstring log;
};

std::wstring withoutTrailingBackslash(std::wstring path) {
    if (path.size() > 3 && path.back() == L'\\') path.pop_back();
    return path;
}

TEST_F(RealLaunch, RelativePathStartsInItsOwnFolderWithItsParameters) {
    prepare(L"Probe", L"my tools\\probe.exe;--name \"two words\" ;;min");
    EXPECT_EQ(launchItem(false), kLaunchStarted);
    std::vector<ProbeRecord> records;
    ASSERT_TRUE(waitForProbeRecords(log, 1, records));
    const std::wstring program = dataPath + L"my tools\\probe.exe";
    EXPECT_NE(records[0].commandLine.find(program), std::wstring::npos) << records[0].commandLine;
    EXPECT_TRUE(records[0].commandLine.ends_with(L"--name \"two words\" ")) << records[0].commandLine;
    EXPECT_EQ(records[0].directory, dataPath + L"my tools");
    EXPECT_EQ(records[0].showCommand, kShowMinimized);
    EXPECT_TRUE(recorder.boxes.empty());
}

TEST_F(RealLaunch, GivenDirectoryIsTheWorkingDirectory) {
    std::filesystem::create_directory(data.path / L"work");
    setEnvironmentVariable(L"KIVO_TEST_WORK", withoutTrailingBackslash(dataPath) + L"\\work");
    prepare(L"Probe", L"my tools\\probe.exe;;%KIVO_TEST_WORK%");
    EXPECT_EQ(launchItem(false), kLaunchStarted);
    std::vector<ProbeRecord> records;
    ASSERT_TRUE(waitForProbeRecords(log, 1, records));
    EXPECT_EQ(records[0].directory, dataPath + L"work");
    EXPECT_EQ(records[0].showCommand, kShowNormal);
}

TEST_F(RealLaunch, MissingProgramFails) {
    recorder.boxAnswer = kAnswerYes;
    prepare(L"Gone", L"my tools\\missing.exe");
    EXPECT_EQ(launchItem(false), kLaunchEnterEditor);
    ASSERT_EQ(recorder.boxes.size(), 1u);
    EXPECT_EQ(recorder.boxes[0].text, L"Cannot open: \"Gone\"\rEnter configuration?");
    EXPECT_FALSE(std::filesystem::exists(log));
}

}  // namespace
