#pragma once
// Loading a category by name and merging its window settings (size, position,
// font, colours, icon size) with those of group "main".
#include <string>

#include "platform/ui_windows.h"
#include "settings/general_settings.h"
#include "settings/ini_document.h"
#include "store/category_store.h"
#include "store/drive_letters.h"

// Loads `targetCategory` (which is emptied) from the data folder, the current
// directory, adapting drive letters in variable-drive mode. False when the file
// cannot be read: the list is then empty and `loadedCategory` keeps the name.
// False as well for a name that is no category name (a path): then nothing
// changes.
bool loadCategory(CategoryStore& store, std::wstring& targetCategory, const DriveLetters& drives);

// Stores the settings of the category shown so far and merges those of the
// loaded one. `workArea` is the desktop work area: sizes read from the file are
// kept within it, positions within reach of it. `visitedCount` is the length of
// the visited-categories history. False when the loaded category is the one
// applied already (nothing changes then).
bool applyCategoryWindow(CategoryStore& store, IniDocument& settings, const GeneralSettings& general,
                         const ScreenRect& workArea, size_t visitedCount);

// Writes the window settings of the applied category into its group and into
// group "main" (in memory only).
void storeCategoryWindow(const CategoryStore& store, IniDocument& settings);

// Makes the list font anew when the font text changed since it was made last.
void applyFont(CategoryStyle& style);
