#pragma once
// Launch services that record what would be started instead of starting it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launch/launch_state.h"
#include "support/test_files.h"

struct RecordedBox {
    int owner;
    std::wstring text;
    std::wstring title;
    unsigned flags;
};

struct LaunchRecorder {
    std::vector<ShellRequest> shellCalls;
    std::vector<RecordedBox> boxes;
    std::vector<int> menusShown;
    ScreenPoint menuPosition;
    int beeps = 0;
    int shellAnswer = 42;
    int boxAnswer = 7;
    bool controlAndShiftHeld = false;
};

extern LaunchRecorder recorder;

// Each test starts with fresh launch state and settings, the recording services,
// and a fresh data folder as the current directory.
class RecordedLaunch : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Fills the launch record from a stored item, as the launcher does.
    void prepare(const std::wstring& text, const std::wstring& definition);
    const ShellRequest& onlyShellCall();

    TempFolder data;
    std::wstring dataPath;  // with a trailing "\"

private:
    std::wstring previousDirectory;
};
