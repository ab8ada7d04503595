#include "launcher/launcher_window.h"

#include <iterator>

#include "launch/item_fields.h"
#include "launch/launch_state.h"
#include "launcher/commands.h"
#include "launcher/find_mode.h"
#include "launcher/launcher_layout.h"
#include "launcher/window_modes.h"
#include "platform/shell.h"
#include "platform/ui_controls.h"
#include "platform/ui_item_view.h"
#include "platform/ui_result_view.h"
#include "platform/ui_windows.h"
#include "settings/general_settings.h"
#include "settings/language.h"
#include "store/category_store.h"
#include "store/item_definition.h"

LauncherWindow launcherWindow;

namespace {

constexpr int kStripHeight = 35;
constexpr int kColumnWidth = 350;

const Shortcut kLauncherShortcuts[] = {
    {0, kKeyApps, kCommandContextMenu},
    {0, kKeyF4, kCommandTitleBar},
    {0, kKeyF2, kCommandConfiguration},
    {0, kKeyF3, kCommandGeneralSettings},
    {0, kKeyF1, kCommandHelp},
    {0, kKeyEscape, kCommandCloseRequest},
    {0, kKeyReturn, kCommandLaunch},
    {kShortcutControl, kKeyReturn, kCommandLaunch},
    {0, kKeySpace, kCommandCategoryMenu},
    {0, kKeyBack, kCommandPreviousCategory},
    {kShortcutShift, kKeyTab, kCommandPreviousCategory},
    {0, kKeyTab, kCommandNextCategory},
    {kShortcutControl, kKeySpace, kCommandCategoryMenu},
    {kShortcutAlt, kKeyF4, kCommandExit},
    {kShortcutControl, 'F', kCommandFind},
};

struct StripControl {
    int id;
    int x;
    int width;
    const wchar_t* text;
    int font;
    int tipEntry;  // language entry, 0 for none
    bool ellipsis;  // a long text keeps its start
};

// Created in this order; the item view follows them.
const StripControl kStripControls[] = {
    {kLauncherTitleStrip, 26, 285, L"", kDialogFontBold, 108, true},
    {kLauncherPreviousArrow, 311, 13, L"3", kGlyphFontLarge, 18, false},
    {kLauncherNextArrow, 324, 13, L"4", kGlyphFontLarge, 19, false},
    {kLauncherCloseGlyph, 350, 13, L"r", kGlyphFontSmall, 0, false},
};

std::wstring withoutAmpersands(std::wstring text) {
    std::erase(text, L'&');
    return text;
}

// The text of the row of the item at `position`, as the item views draw it.
std::wstring itemTextOf(int, int, int position) {
    const CategoryItems& items = categoryStore.items;
    if (position < 0 || static_cast<size_t>(position) >= items.size()) return std::wstring();
    const CategoryItem& item = items[static_cast<size_t>(position)];
    std::wstring text = expandVariables(itemText(item));
    if (text == L"-" && !definitionHasCommand(itemDefinition(item))) return generalSettings.Separator;
    return text;
}

}  // namespace

ItemViewMode launcherViewMode() {
    if (categoryStore.geometry.largeIcons) return ItemViewMode::LargeIcons;
    return generalSettings.SingleColumn ? ItemViewMode::SingleColumn : ItemViewMode::SmallIcons;
}

void createProgramFonts(LauncherWindow& window) {
    window.fonts[kGlyphFontSmall] = createPointFont(L"Marlett", 9, 0);
    window.fonts[kGlyphFontLarge] = createPointFont(L"Marlett", 11, 0);
    window.fonts[kDialogFontBold] = createPointFont(L"MS Shell Dlg 2", 9, 256);
    window.fonts[kDialogFont] = createPointFont(L"MS Shell Dlg 2", 9, 0);
}

bool CreateLauncherWindow() {
    WindowSpec spec{200, 200, 350, 250, launcherWindow.programTitle, isToolWindowMode(generalSettings)};
    if (!openWindow(kLauncherWindow, spec)) return false;
    setWindowUserData(kLauncherWindow, launcherWindow.instanceId);
    setWindowIcons(kLauncherWindow, launcherWindow.programLargeIcon.handle, launcherWindow.programSmallIcon.handle);
    setItemImageSource(itemImageOf);
    setItemTextSource(itemTextOf);
    for (const StripControl& c : kStripControls) {
        addStaticControl(kLauncherWindow, c.id, c.x, 0, c.width, kStripHeight, c.text, c.ellipsis);
        setControlFont(kLauncherWindow, c.id, launcherWindow.fonts[c.font].handle);
        if (c.tipEntry) setControlTip(kLauncherWindow, c.id, languageText(c.tipEntry));
    }
    setControlEnabled(kLauncherWindow, kLauncherPreviousArrow, false);
    addItemView(kLauncherWindow, kLauncherItemView, 5, kStripHeight, 340, 215, kColumnWidth);
    int horizontal = 0;
    int vertical = 0;
    if (parseIconSpacing(generalSettings.IconSpacing, horizontal, vertical))
        setItemViewSpacing(kLauncherWindow, kLauncherItemView, horizontal, vertical);
    if (!CreateFindControls()) return false;
    setWindowShortcuts(kLauncherWindow, kLauncherShortcuts, static_cast<int>(std::size(kLauncherShortcuts)));
    ignoreLoneAltKey(kLauncherWindow);
    return true;
}

void LayoutLauncherWindow() {
    if (launcherWindow.layoutSuspended) return;
    int width = 0;
    int height = 0;
    windowInnerSize(kLauncherWindow, width, height);
    // A minimised window has no inner area and stands far off the screen: its
    // position is not the one to remember.
    if (width * height == 0) return;
    LauncherGeometry& geometry = categoryStore.geometry;
    const ScreenRect outer = windowRect(kLauncherWindow);
    geometry.x = outer.left;
    geometry.y = outer.top;
    geometry.width = width;
    geometry.height = height;
    generalSettings.LeftAligned =
        decideLeftAligned(generalSettings.LeftAligned, generalSettings.Centered != 0, generalSettings.AutoAlign != 0,
                          geometry.x, width, workAreaOf(kLauncherWindow).right);
    const StripLayout strip =
        computeStripLayout(width, generalSettings.TitleBar != 0, generalSettings.LeftAligned == 1);
    auto moveStripControl = [](int id, int x, int controlWidth) {
        ControlBox box = controlBox(kLauncherWindow, id);
        box.x = x;
        box.width = controlWidth;
        moveControl(kLauncherWindow, id, box);
    };
    moveStripControl(kLauncherTitleStrip, strip.titleX, strip.titleWidth);
    moveStripControl(kLauncherFindField, strip.titleX, strip.titleWidth);
    moveStripControl(kLauncherPreviousArrow, strip.arrowsX, controlBox(kLauncherWindow, kLauncherPreviousArrow).width);
    moveStripControl(kLauncherNextArrow, strip.arrowsX + 13, controlBox(kLauncherWindow, kLauncherNextArrow).width);
    moveStripControl(kLauncherCloseGlyph, strip.closeX, strip.closeWidth);
    ControlBox view = controlBox(kLauncherWindow, kLauncherItemView);
    view.width = width - 5;
    view.height = height - kStripHeight;
    moveControl(kLauncherWindow, kLauncherItemView, view);
    moveControl(kLauncherWindow, kLauncherFindView, view);
    fitResultColumns(kLauncherWindow, kLauncherFindView);
    redrawArea(kLauncherWindow, ControlBox{0, 0, width, kStripHeight});
}

void PlaceLauncherWindow() {
    const LauncherGeometry& g = categoryStore.geometry;
    placeWindow(kLauncherWindow, g.x, g.y, g.width, g.height);
}

void ApplyCategoryLook() {
    const CategoryStyle& style = categoryStore.style;
    if (launchState.editorOpen) {
        setItemViewLook(kEditorWindow, launchState.itemListControl, style.font.handle, style.textColor,
                        style.backgroundColor);
        return;
    }
    setItemViewLook(kLauncherWindow, kLauncherItemView, style.font.handle, style.textColor, style.backgroundColor);
    setItemViewLook(kLauncherWindow, kLauncherFindView, style.font.handle, style.textColor, style.backgroundColor);
    setWindowColors(kLauncherWindow, style.backgroundColor, style.textColor);
    setControlFont(kLauncherWindow, kLauncherTitleStrip, style.font.handle);
    setControlText(kLauncherWindow, kLauncherTitleStrip, withoutAmpersands(categoryStore.loadedCategory));
    setControlText(kLauncherWindow, kLauncherPreviousArrow, L"3");
    setControlText(kLauncherWindow, kLauncherNextArrow, L"4");
    setControlText(kLauncherWindow, kLauncherCloseGlyph, L"r");
    if (generalSettings.Transparent) ApplyTransparency();
}

int FillItemView(ItemViewForm form, int windowId, int controlId) {
    const ItemViewMode mode = form == ItemViewForm::Editor ? ItemViewMode::SingleColumn : launcherViewMode();
    const bool large = mode == ItemViewMode::LargeIcons;
    const IconSize size = large ? IconSize::Large : IconSize::Small;
    const int pixels = iconPixels(size, windowDpi(windowId));
    void* images = itemImagesFor(launcherWindow.images, categoryStore.loadedCategory, pixels);
    const CategoryItems& items = categoryStore.items;
    beginItemViewFill(windowId, controlId, mode, images, static_cast<int>(items.size()));
    int selectedRow = -1;
    for (size_t p = 0; p < items.size(); ++p) {
        const CategoryItem& item = items[p];
        // A line without "=" (a comment, a heading) is no item to the launcher;
        // the editor lists it, so that it can be made one.
        const std::wstring_view text = itemText(item);
        if (form == ItemViewForm::Launcher && text.empty()) continue;
        // Texts and icons are worked out only for the rows that are drawn,
        // when they are drawn: a long category shows at once.
        const bool hasText =
            !text.empty() && (text.find(L'%') == std::wstring_view::npos || !expandVariables(text).empty());
        int image = kRowImageNone;
        if (hasText && !definitionHasCommand(itemDefinition(item))) {
            if (large) continue;
        } else if (hasText) {
            image = kRowImageLater;
        }
        const int row = appendSourcedRow(windowId, controlId, image, static_cast<int>(p));
        if (static_cast<int>(p) == categoryStore.selectedItem) selectedRow = row;
    }
    endItemViewFill(windowId, controlId, selectedRow);
    return static_cast<int>(items.size());
}

void RefillItemView(ItemViewForm form, int windowId, int controlId) {
    const int position = itemRowData(windowId, controlId, selectedItemRow(windowId, controlId));
    if (position >= 0) categoryStore.selectedItem = position;
    FillItemView(form, windowId, controlId);
}
