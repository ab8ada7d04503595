#pragma once
// Naming categories in the editor: the name field, the rename when the
// category is saved, and the end of a category left without items.
#include "editor/editor_state.h"

// On every change of the name field, and when the focus leaves it.
void checkCategoryNameField(EditorState& editor, bool focusLeft);

// Takes the name field's name for the category, renaming its file and its
// window settings. False, after telling the user why, when it cannot.
bool renameEditedCategory();

// The category's file and window settings are removed; no category is current
// afterwards.
void deleteEmptyCategory();

