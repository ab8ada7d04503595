// The launcher window's modes as the settings ask for them.
#include <gtest/gtest.h>

#include "launcher/launcher_window.h"
#include "launcher/window_modes.h"
#include "platform/ui_windows.h"
#include "settings/general_settings.h"
#include "support/test_files.h"

namespace {

TEST(WindowModes, OnlyBitZeroOfToolBarStyleMakesAToolWindow) {
    TempFolder dir;
    for (int style : {0, 1, 2, 3, 6}) {
        IniDocument doc = settingsFile(dir, "[main]\r\nToolBarStyle=" + std::to_string(style) + "\r\n");
        generalSettings = GeneralSettings{};
        readGeneralSettings(doc, generalSettings, L"English");
        const bool toolMode = (style & 1) != 0;
        EXPECT_EQ(generalSettings.SystemTray, toolMode ? 1 : 0) << style;
        ASSERT_TRUE(CreateLauncherWindow()) << style;
        EXPECT_EQ(isToolWindow(kLauncherWindow), toolMode) << "created, ToolBarStyle " << style;
        ApplyWindowStyle(kStyleToolWindow);
        EXPECT_EQ(isToolWindow(kLauncherWindow), toolMode) << "applied, ToolBarStyle " << style;
        closeWindow(kLauncherWindow);
    }
    generalSettings = GeneralSettings{};
}

}  // namespace
