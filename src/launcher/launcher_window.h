#pragma once
// The launcher window: the item view with the strip above it (category name,
// arrows, close glyph), its layout, its filling and its look.
#include <cstdint>
#include <string>

#include "platform/fonts.h"
#include "launcher/item_images.h"
#include "platform/icon_handle.h"
#include "platform/ui_item_view.h"
#include "platform/ui_windows.h"

// The four fonts made at start-up and kept to the end.
constexpr int kGlyphFontSmall = 0;   // Marlett 9: the close glyph
constexpr int kGlyphFontLarge = 1;   // Marlett 11: the arrows
constexpr int kDialogFontBold = 2;   // MS Shell Dlg 2, 9, bold
constexpr int kDialogFont = 3;       // MS Shell Dlg 2, 9
constexpr int kProgramFontCount = 4;

struct LauncherWindow {
    std::wstring programTitle;  // also the window title
    uint32_t instanceId = 0;    // fingerprint of the data folder, for other instances
    FontHandle fonts[kProgramFontCount];
    IconHandle programLargeIcon;
    IconHandle programSmallIcon;
    bool layoutSuspended = true;  // while the window is being rebuilt
    bool hiddenAtEdge = false;
    int hiddenEdge = 0;  // the slide that hid it (kSlideRight...)
    ScreenRect seenWorkArea;  // of its monitor, and its own place, at the last tick
    ScreenRect seenPlace;
    uint32_t savedHotkey = 0;  // registered before the last request to release it
    ItemImages images;  // what the launcher's and the editor's item views draw from
};

extern LauncherWindow launcherWindow;

void createProgramFonts(LauncherWindow& window);

// Creates the window invisible, with its controls, tips, shortcuts and drop
// target. False when the system refuses the window.
bool CreateLauncherWindow();
void LayoutLauncherWindow();
// Moves and sizes the window to the category's geometry.
void PlaceLauncherWindow();
// Font and colours of the category on the item view and, unless the editor is
// open, on the window and its strip.
void ApplyCategoryLook();

// How the launcher shows items now: by the icon size and the single-column setting.
ItemViewMode launcherViewMode();

// The item view of the launcher or of the editor's list.
enum class ItemViewForm { Launcher, Editor };
// Rebuilds the rows from the category's items (the launcher's without the items
// that have no text); returns the number of items.
int FillItemView(ItemViewForm form, int windowId, int controlId);
// The same for a view already shown: a row chosen with the keys has sent no
// event, so it is taken first and shown chosen again.
void RefillItemView(ItemViewForm form, int windowId, int controlId);
