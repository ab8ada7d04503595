#include <gtest/gtest.h>
#include "find/shortcut_icon.h"
#include "platform/environment.h"
#include "support/test_files.h"

TEST(ShortcutIcon, OwnSettingThenTargetThenShellNeverAFarDrive) {
    TempFolder dir;
    const std::wstring link = dir.file(L"Tool.lnk"), program = dir.file(L"tool.exe"), icons = dir.file(L"icons.dll");
    for (const std::wstring& file : {program, icons}) writeBytes(file, "MZ");
    ASSERT_TRUE(setEnvironmentVariable(L"KIVO_ICON_TEST", dir.path.wstring()));
    auto plan = [&](const std::wstring& target, const std::wstring& iconFile) {
        const IconPlan p = shortcutIconPlan(link, ShellLinkInfo{target, L"", L"", iconFile, 3, 1});
        return p.sourceFile + L"," + std::to_wstring(p.sourceIndex) + L" " + (p.defaultIcon ? L"*" : p.shellPath);
    };
    EXPECT_EQ(plan(program, L"%KIVO_ICON_TEST%\\icons.dll"), icons + L",3 " + program);
    for (const std::wstring& passedOver : {dir.file(L"gone.dll"), std::wstring(L"\\\\server\\share\\icons.dll")})
        EXPECT_EQ(plan(program, passedOver), program + L",0 " + program) << "the target's first icon instead";
    EXPECT_EQ(plan(dir.file(L"gone.exe"), L""), L",0 " + link);
    EXPECT_EQ(plan(L"\\\\server\\share\\tool.exe", icons), L",0 *") << "a far target is not touched";
}
