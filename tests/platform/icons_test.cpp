#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/icon_handle.h"
#include "platform/icons.h"
#include "support/icon_pixels.h"
#include "support/test_files.h"

namespace {

std::wstring besideTheTests(const wchar_t* name) {
    std::wstring self(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size()));
    self.resize(length);
    return self.substr(0, self.find_last_of(L"\\/") + 1) + name;
}

// three_icons.exe is built beside the test program. Its icons, in order, are
// red (identifier 10), green (20) and blue (30).
std::wstring threeIconsProgram() { return besideTheTests(L"three_icons.exe"); }

// sizes.ico, copied beside the test program, holds one icon with a red image
// 32 pixels square, a green one of 48 and a blue one of 64.
std::wstring sizesIcon() { return besideTheTests(L"sizes.ico"); }

const RgbColour kRed{255, 0, 0};
const RgbColour kGreen{0, 255, 0};
const RgbColour kBlue{0, 0, 255};

int systemWidth(IconSize size) { return GetSystemMetrics(size == IconSize::Large ? SM_CXICON : SM_CXSMICON); }

class ExtractFileIcon : public testing::TestWithParam<IconSize> {};

TEST(FileIconCount, CountsEveryIconOfAProgram) {
    ASSERT_EQ(GetFileAttributesW(threeIconsProgram().c_str()) == INVALID_FILE_ATTRIBUTES, false)
        << "three_icons.exe is missing beside the test program";
    EXPECT_EQ(fileIconCount(threeIconsProgram()), 3);
}

TEST_P(ExtractFileIcon, PositionSelectsTheIcon) {
    const IconSize size = GetParam();
    IconHandle first(extractFileIcon(threeIconsProgram(), 0, systemWidth(size)));
    IconHandle second(extractFileIcon(threeIconsProgram(), 1, systemWidth(size)));
    IconHandle last(extractFileIcon(threeIconsProgram(), 2, systemWidth(size)));
    ASSERT_TRUE(first && second && last);
    EXPECT_EQ(iconCentreColour(first.handle), kRed);
    EXPECT_EQ(iconCentreColour(second.handle), kGreen);
    EXPECT_EQ(iconCentreColour(last.handle), kBlue);
    EXPECT_EQ(iconWidth(first.handle), systemWidth(size));
}

TEST_P(ExtractFileIcon, NegativeIndexSelectsByIdentifier) {
    const IconSize size = GetParam();
    IconHandle green(extractFileIcon(threeIconsProgram(), -20, systemWidth(size)));
    IconHandle blue(extractFileIcon(threeIconsProgram(), -30, systemWidth(size)));
    ASSERT_TRUE(green && blue);
    EXPECT_EQ(iconCentreColour(green.handle), kGreen);
    EXPECT_EQ(iconCentreColour(blue.handle), kBlue);
}

TEST_P(ExtractFileIcon, IsNullWithoutSuchIcon) {
    const IconSize size = GetParam();
    IconHandle pastTheEnd(extractFileIcon(threeIconsProgram(), 5, systemWidth(size)));
    IconHandle unknownIdentifier(extractFileIcon(threeIconsProgram(), -99, systemWidth(size)));
    TempFolder dir;
    IconHandle missingFile(extractFileIcon(dir.file(L"missing.exe"), 0, systemWidth(size)));
    EXPECT_FALSE(pastTheEnd);
    EXPECT_FALSE(unknownIdentifier);
    EXPECT_FALSE(missingFile);
}

INSTANTIATE_TEST_SUITE_P(BothSizes, ExtractFileIcon, testing::Values(IconSize::Large, IconSize::Small),
                         [](const testing::TestParamInfo<IconSize>& info) {
                             return info.param == IconSize::Large ? "Large" : "Small";
                         });

// A display of another DPI gets the file's own image of its size, not one of
// the system's size stretched.
TEST(IconsAtASize, ComeFromTheFilesImageOfThatSize) {
    const struct {
        int pixels;
        RgbColour colour;
    } images[] = {{32, kRed}, {48, kGreen}, {64, kBlue}};
    for (const auto& image : images) {
        IconHandle icon(extractFileIcon(sizesIcon(), 0, image.pixels));
        ASSERT_TRUE(icon) << image.pixels;
        EXPECT_EQ(iconWidth(icon.handle), image.pixels);
        EXPECT_EQ(iconCentreColour(icon.handle), image.colour) << image.pixels;
    }
}

// The shell keeps its icons at the system's sizes only.
TEST(IconsAtASize, ShellIconsOfOtherSizesComeFromTheIconsFile) {
    IconHandle program(shellIconOf(threeIconsProgram(), 48));
    ASSERT_TRUE(program);
    EXPECT_EQ(iconWidth(program.handle), 48);
    EXPECT_EQ(iconCentreColour(program.handle), kRed);
}

TEST(FileIconCount, NoneInAMalformedIconFile) {
    const std::string good = readBytes(sizesIcon());
    const auto patched = [](std::string bytes, size_t at, std::string_view with) { return bytes.replace(at, with.size(), with); };
    TempFolder dir;
    const std::wstring file = dir.file(L"icon.ico");
    for (const std::string& bad : {patched(patched(good, 4, "\xe8\x03"), 18, "\xf0\xff\xff\x7f"), good.substr(0, 30),
                                   patched(good, 4, {"\0", 2}), patched(good, 14, {"\0\0\0\x10", 4})}) {
        writeBytes(file, bad);
        EXPECT_EQ(fileIconCount(file) + shellIconIndexOf(file), -1) << "no icons, and none from the shell";
        EXPECT_FALSE(IconHandle(extractFileIcon(file, 0, 32)));
    }
}

TEST(DefaultApplicationIcon, BelongsToTheCaller) {
    void* icon = defaultApplicationIcon(systemWidth(IconSize::Large));
    ASSERT_NE(icon, nullptr);
    EXPECT_GT(iconWidth(icon), 0);
    EXPECT_TRUE(DestroyIcon(static_cast<HICON>(icon)));
    // A shared system icon would survive being destroyed; an own copy is gone.
    EXPECT_EQ(iconWidth(icon), 0);
    IconHandle again(defaultApplicationIcon(systemWidth(IconSize::Large)));
    EXPECT_TRUE(again) << "destroying a copy must leave the system's icon intact";
}

}  // namespace
