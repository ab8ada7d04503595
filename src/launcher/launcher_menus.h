#pragma once
// The launcher's menus: the context menu (built once), the category menu and
// the tray menu (both built afresh each time).

// Builds the context menu from its table, in the language of the moment.
void buildLauncherContextMenu();
void ShowContextMenu();
void ShowCategoryMenu();
void ShowTrayMenu();
// The categories as entries from 93 on into `menuId`, with the start-up
// category after a separator and the shown one marked; "New Category" last
// when asked for and the settings may be written.
void AddCategoryEntries(int menuId, bool withNewCategory);
// Shows the menu at the pointer when it is over the control, else near the
// control's top-left corner.
void PopupMenuAt(int menuId, int windowId, int controlId);
