#include "store/category_window.h"

#include <cstdint>

#include "platform/environment.h"
#include "platform/files.h"
#include "platform/ui_controls.h"
#include "platform/ui_windows.h"
#include "store/category_file.h"
#include "store/text_values.h"

namespace {

const wchar_t* const kMainGroup = L"main";
const wchar_t* const kDefaultFont = L"Arial,9,0,0";
const wchar_t* const kDefaultBackground = L"#FFFFFF";

// The smallest inner size that still shows the strip and a row of items.
constexpr int kMinimumWidth = 60;
constexpr int kMinimumHeight = 60;
// Far enough to park a window off every screen, near enough that no placement
// arithmetic can overflow.
constexpr int kPositionLimit = 100000;

int clampedTo(int64_t value, int64_t low, int64_t high) {
    return static_cast<int>(value < low ? low : (value > high ? high : value));
}

// A size from the file: no size at all is none (the default holds), and a window
// larger than the work area could never be seen whole (a huge one overflows the
// placement).
int fittedSize(int value, int fallback, int minimum, int available) {
    if (value <= 0) value = fallback;
    return clampedTo(value, minimum, available > minimum ? available : minimum);
}

int reachablePosition(int64_t value) { return clampedTo(value, -kPositionLimit, kPositionLimit); }

void writeSizeAndLook(const CategoryStore& store, IniDocument& settings) {
    writeInt(settings, L"Width", store.geometry.width);
    writeInt(settings, L"Height", store.geometry.height);
    writeColor(settings, L"BGcolor", store.style.backgroundColor);
    writeString(settings, L"Font", store.style.fontText);
}

}  // namespace

bool loadCategory(CategoryStore& store, std::wstring& targetCategory, const DriveLetters& drives) {
    if (!isCategoryName(targetCategory)) {
        // Not a file of the data folder: nothing is read, and nothing will be
        // written under that name.
        targetCategory.clear();
        return false;
    }
    store.loadedCategory = targetCategory;
    store.unsavedItems = false;
    targetCategory.clear();
    store.categoryFilePath = categoryFilePathOf(store.loadedCategory);
    if (!loadCategoryFile(store, store.categoryFilePath)) return false;
    if (drives.varDrive) adaptDriveLetters(store.items, drives);
    return true;
}

bool applyCategoryWindow(CategoryStore& store, IniDocument& settings, const GeneralSettings& general,
                         const ScreenRect& workArea, size_t visitedCount) {
    if (store.appliedCategory == store.loadedCategory) return false;
    storeCategoryWindow(store, settings);
    store.appliedCategory = store.loadedCategory;
    LauncherGeometry& g = store.geometry;
    CategoryStyle& style = store.style;

    // Beyond the group limit "main" holds nothing, not the width of the window
    // shown before: a corner kept against the default would move the window at
    // every start.
    const bool baseKnown = selectGroup(settings, kMainGroup) != kNoIniGroup;
    uint32_t background = readColor(settings, L"BGcolor", kDefaultBackground);
    std::wstring fontText = readString(settings, L"Font", kDefaultFont);
    const int availableWidth = workArea.right - workArea.left;
    const int availableHeight = workArea.bottom - workArea.top;
    int width = fittedSize(readInt(settings, L"Width", 350), 350, kMinimumWidth, availableWidth);
    int height = fittedSize(readInt(settings, L"Height", 250), 250, kMinimumHeight, availableHeight);
    const int baseWidth = width;

    // Only read here: the group is made when something is stored in it, so a
    // category merely shown at start adds nothing to the file.
    selectExistingGroup(settings, store.appliedCategory);
    if ((general.Common & kCommonFont) == 0) fontText = readString(settings, L"Font", fontText);
    if ((general.Common & kCommonBackground) == 0) {
        // Black cannot be told from a missing value: the base colour stays.
        uint32_t own = readColor(settings, L"BGcolor", L"");
        if (own != 0) background = own;
    }
    if ((general.Common & kCommonWidth) == 0)
        width = fittedSize(readInt(settings, L"Width", width), width, kMinimumWidth, availableWidth);
    if ((general.Common & kCommonHeight) == 0)
        height = fittedSize(readInt(settings, L"Height", height), height, kMinimumHeight, availableHeight);
    g.width = width;
    g.height = height;
    style.backgroundColor = background;
    style.fontText = fontText;

    if (store.firstApplication) {
        g.x = reachablePosition(readInt(settings, L"WinX", g.x));
        g.y = reachablePosition(readInt(settings, L"WinY", g.y));
        store.firstApplication = false;
    }
    if (general.Centered) {
        g.x = (workArea.right - g.width) / 2;
    } else if (!general.AutoAlign) {
        g.x = reachablePosition(readInt(settings, L"WinX", g.x));
        g.y = reachablePosition(readInt(settings, L"WinY", g.y));
    } else if (!general.LeftAligned && baseKnown) {
        // Keeps the upper right corner in place.
        g.x = reachablePosition(int64_t{g.x} + baseWidth - g.width);
    }
    if (visitedCount > 1) setControlEnabled(kLauncherWindow, kLauncherPreviousArrow, true);
    g.largeIcons = readInt(settings, L"LargeIcons", g.largeIcons) & 1;
    applyFont(style);
    return true;
}

void storeCategoryWindow(const CategoryStore& store, IniDocument& settings) {
    if (store.appliedCategory.empty()) return;
    const LauncherGeometry& g = store.geometry;
    selectGroup(settings, store.appliedCategory);
    writeInt(settings, L"LargeIcons", g.largeIcons);
    writeInt(settings, L"WinX", g.x);
    writeInt(settings, L"WinY", g.y);
    writeSizeAndLook(store, settings);
    // "main" always holds the values of the category shown last: they are the
    // defaults of categories without values of their own.
    selectGroup(settings, kMainGroup);
    writeSizeAndLook(store, settings);
}

void applyFont(CategoryStyle& style) {
    if (style.fontText == style.lastAppliedFontText && style.font) return;
    FontText parsed = parseFontText(style.fontText);
    style.faceName = parsed.face;
    style.pointSize = parsed.pointSize;
    style.styleFlags = parsed.styleFlags;
    style.textColor = parsed.color;
    style.font = createPointFont(style.faceName, style.pointSize, style.styleFlags);
    style.lastAppliedFontText = style.fontText;
}
