#include "store/category_window.h"

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

void writeSizeAndLook(const CategoryStore& store, IniDocument& settings) {
    writeInt(settings, L"Width", store.geometry.width);
    writeInt(settings, L"Height", store.geometry.height);
    writeColor(settings, L"BGcolor", store.style.backgroundColor);
    writeString(settings, L"Font", store.style.fontText);
}

}  // namespace

bool loadCategory(CategoryStore& store, std::wstring& targetCategory, const DriveLetters& drives) {
    store.loadedCategory = targetCategory;
    targetCategory.clear();
    store.categoryFilePath = fullPathName(expandEnvironment(store.loadedCategory + L".kvl"));
    if (!loadCategoryFile(store, store.categoryFilePath)) return false;
    if (drives.varDrive) adaptDriveLetters(store.items, drives);
    return true;
}

bool applyCategoryWindow(CategoryStore& store, IniDocument& settings, const GeneralSettings& general,
                         int workAreaRight, size_t visitedCount) {
    if (store.appliedCategory == store.loadedCategory) return false;
    storeCategoryWindow(store, settings);
    store.appliedCategory = store.loadedCategory;
    LauncherGeometry& g = store.geometry;
    CategoryStyle& style = store.style;

    selectGroup(settings, kMainGroup);
    uint32_t background = readColor(settings, L"BGcolor", kDefaultBackground);
    std::wstring fontText = readString(settings, L"Font", kDefaultFont);
    int width = readInt(settings, L"Width", 350);
    int height = readInt(settings, L"Height", 250);
    const int baseWidth = width;

    selectGroup(settings, store.appliedCategory);
    if ((general.Common & kCommonFont) == 0) fontText = readString(settings, L"Font", fontText);
    if ((general.Common & kCommonBackground) == 0) {
        // Black cannot be told from a missing value: the base colour stays.
        uint32_t own = readColor(settings, L"BGcolor", L"");
        if (own != 0) background = own;
    }
    if ((general.Common & kCommonWidth) == 0) width = readInt(settings, L"Width", width);
    if ((general.Common & kCommonHeight) == 0) height = readInt(settings, L"Height", height);
    g.width = width;
    g.height = height;
    style.backgroundColor = background;
    style.fontText = fontText;

    if (store.firstApplication) {
        g.x = readInt(settings, L"WinX", g.x);
        g.y = readInt(settings, L"WinY", g.y);
        store.firstApplication = false;
    }
    if (general.Centered) {
        g.x = (workAreaRight - g.width) / 2;
    } else if (!general.AutoAlign) {
        g.x = readInt(settings, L"WinX", g.x);
        g.y = readInt(settings, L"WinY", g.y);
    } else if (!general.LeftAligned) {
        g.x += baseWidth - g.width;  // keeps the upper right corner in place
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
