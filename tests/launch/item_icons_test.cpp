#include <filesystem>

#include "launch/item_icons.h"
#include "launch/recorded_launch.h"
#include "platform/icon_handle.h"
#include "platform/ui_windows.h"
#include "settings/data_folder.h"
#include "settings/general_settings.h"
#include "support/icon_pixels.h"
#include "support/launch_probe_log.h"

namespace {

// three_icons.exe, built beside the test programs, holds a red, a green and a
// blue icon in that order.
const RgbColour kRed{255, 0, 0};
const RgbColour kBlue{0, 0, 255};

class ItemIcons : public RecordedLaunch {
protected:
    void SetUp() override {
        RecordedLaunch::SetUp();
        const std::filesystem::path tests = std::filesystem::path(probeProgramPath()).parent_path();
        std::filesystem::copy_file(tests / L"three_icons.exe", data.path / L"icons.exe");
        savedProgramPath = programFolders.programPath;
    }
    void TearDown() override {
        programFolders.programPath = savedProgramPath;
        RecordedLaunch::TearDown();
    }

    // The colour of the icon fetched for a stored item; the icon is destroyed.
    RgbColour fetched(const std::wstring& definition, IconSize size = IconSize::Large) {
        CategoryItem item;
        setItemText(item, L"Item");
        setItemDefinition(item, definition);
        ItemFields fields;
        parseItem(item, fields);
        fetchItemIcon(fields, size, iconPixels(size, systemDpi()));
        IconHandle icon(size == IconSize::Large ? fields.largeIcon : fields.smallIcon);
        lastFetchFound = static_cast<bool>(icon);
        return iconCentreColour(icon.handle);
    }
    static RgbColour shellColour(const std::wstring& path) {
        IconHandle icon(shellIconOf(path, iconPixels(IconSize::Large, systemDpi())));
        return iconCentreColour(icon.handle);
    }

    bool lastFetchFound = false;
    std::wstring savedProgramPath;
};

TEST_F(ItemIcons, IconSourceComesFirst) {
    EXPECT_EQ(fetched(L"notepad.exe;;;;icons.exe,2"), kBlue) << "relative to the data folder";
    EXPECT_EQ(fetched(L"notepad.exe;;;;icons.exe,2", IconSize::Small), kBlue);
    EXPECT_EQ(fetched(L"notepad.exe;;;;" + dataPath + L"icons.exe"), kRed);
    EXPECT_EQ(fetched(L"notepad.exe;;;;icons.exe,$2"), kBlue) << "hexadecimal index";

    std::filesystem::create_directory(data.path / L"a,b");
    std::filesystem::copy_file(data.path / L"icons.exe", data.path / L"a,b" / L"set.exe");
    EXPECT_EQ(fetched(L"notepad.exe;;;;a,b\\set.exe,2"), kBlue) << "split at the last comma";
}

TEST_F(ItemIcons, UnusableSourcesFallBackToTheCommand) {
    writeBytes(data.file(L"empty.ico"), "");
    const std::wstring command = dataPath + L"icons.exe";
    EXPECT_EQ(fetched(command + L";;;;missing.ico"), kRed);
    EXPECT_EQ(fetched(command + L";;;;empty.ico"), kRed);
    EXPECT_EQ(fetched(command + L";;;;" + dataPath), kRed) << "a folder is no icon file";
    EXPECT_EQ(fetched(command + L";;;;icons.exe,7"), kRed) << "no such index";
    fetched(L"missing.exe");
    EXPECT_FALSE(lastFetchFound) << "the shell has nothing for a missing file";
    writeBytes(data.file(L"plain.exe"), "no program");
    EXPECT_EQ(fetched(dataPath + L"plain.exe"), shellColour(data.file(L"plain.exe")));
    EXPECT_TRUE(lastFetchFound) << "a program without icons shows what the shell shows for it";
}

TEST_F(ItemIcons, KindsChooseWhereTheShellLooks) {
    writeBytes(data.file(L"dummy.htm"), "<html></html>");
    std::filesystem::create_directory(data.path / L"Folder");
    const RgbColour webColour = shellColour(data.file(L"dummy.htm"));
    const RgbColour folderColour = shellColour(data.file(L"Folder"));
    ASSERT_NE(webColour, folderColour);

    EXPECT_EQ(fetched(L"https://example.org"), webColour) << "the default web icon file in the data folder";
    generalSettings.WebIcon = dataPath + L"Folder";
    EXPECT_EQ(fetched(L"mailto:a@example.org"), folderColour);

    programFolders.programPath = dataPath + L"icons.exe";
    EXPECT_EQ(fetched(L"kivo;Games"), kRed) << "the program's own icon";
    EXPECT_EQ(fetched(L"files;*.txt;C:\\"), kRed);

    EXPECT_EQ(fetched(L"Explorer.exe;/e,;Folder"), folderColour) << "the folder an Explorer item opens";
    EXPECT_EQ(fetched(L"C:\\windows\\EXPLORER.EXE;;" + dataPath + L"Folder"), folderColour);
}

TEST_F(ItemIcons, EmptyCommandShowsTheDefaultApplicationIcon) {
    fetched(L"%KIVO_UNSET_VARIABLE%");
    EXPECT_TRUE(lastFetchFound);
    fetched(L";;;;", IconSize::Small);
    EXPECT_TRUE(lastFetchFound);
}

TEST_F(ItemIcons, ReleaseDestroysAndForgetsBothIcons) {
    ItemFields fields;
    fields.largeIcon = extractIconFromSource(dataPath + L"icons.exe,0", 32);
    fields.smallIcon = extractIconFromSource(dataPath + L"icons.exe,1", 16);
    ASSERT_TRUE(fields.largeIcon && fields.smallIcon);
    releaseItemIcons(fields);
    EXPECT_EQ(fields.largeIcon, nullptr);
    EXPECT_EQ(fields.smallIcon, nullptr);
    EXPECT_EQ(extractIconFromSource(L"", 32), nullptr);
}

}  // namespace
