#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "platform/files.h"
#include "platform/process.h"
#include "settings/stale_saves.h"
#include "support/test_files.h"

namespace {

// A process id that no running process has.
uint32_t endedProcess() {
    uint32_t id = 4000004;
    while (processRunning(id)) id += 4;
    return id;
}

TEST(StaleSaves, OnlyThoseOfKivosFilesWhoseWriterHasEnded) {
    TempFolder dir;
    const uint32_t ended = endedProcess();
    const std::wstring folder = dir.path.wstring() + L"\\";
    for (const std::wstring& name :
         {siblingTempName(L"Kivo.ini", ended), siblingTempName(L"Tools.KVL", ended), siblingTempName(L"notes.txt", ended),
          siblingTempName(L"Kivo.ini", currentProcessId()), std::wstring(L"Tools.kvl.new")})
        writeBytes(folder + name, "x");

    EXPECT_EQ(removeStaleSaves(folder), 2);
    std::vector<std::wstring> left = listFiles(folder, L"*");
    std::sort(left.begin(), left.end());
    std::vector<std::wstring> kept = {siblingTempName(L"Kivo.ini", currentProcessId()), L"Tools.kvl.new",
                                      siblingTempName(L"notes.txt", ended)};
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(left, kept);
}

// Its writer was killed long ago, and its id now belongs to a process started
// since: here this one, as a program that starts may itself have it.
TEST(StaleSaves, AlsoWhenTheWritersIdWasGivenAgain) {
    TempFolder dir;
    const std::wstring folder = dir.path.wstring() + L"\\";
    const std::wstring reused = siblingTempName(L"Kivo.ini", currentProcessId());
    const std::wstring current = siblingTempName(L"Tools.kvl", currentProcessId());
    writeBytes(folder + reused, "x");
    writeBytes(folder + current, "x");
    std::filesystem::last_write_time(folder + reused, std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));

    EXPECT_EQ(removeStaleSaves(folder), 1);
    EXPECT_EQ(listFiles(folder, L"*"), std::vector<std::wstring>{current});
}

}  // namespace
