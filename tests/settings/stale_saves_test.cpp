#include <gtest/gtest.h>

#include <algorithm>

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

}  // namespace
