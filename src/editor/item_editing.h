#pragma once
// The editor's operations on single items: the working copy, accepting and
// cancelling an edit, inserting, deleting, moving and sorting. None of them
// writes a file or touches a window.
#include <string>
#include <vector>

#include "editor/editor_state.h"
#include "store/category_store.h"

// Field numbers the working copy's texts belong to.
enum class ItemField { Text, Command, Parameters, Directory };

// The working copy from the current item, or cleared when there is none.
void loadWorkingCopy(EditorState& editor, const CategoryStore& store);
void clearWorkingCopy(EditorState& editor);
// Drops the working copy's icons; they are fetched again at the next icon refresh.
void releaseWorkingIcons(EditorState& editor);
// The large icon of a working copy with a command, when it has none.
void fetchWorkingIcon(EditorState& editor);

// A field's text, trimmed, into the working copy; an edit is then pending.
void storeFieldText(EditorState& editor, ItemField field, const std::wstring& text);

// False when the item cannot be taken (no text, or no command and no
// separator): the edit stays pending.
bool acceptItem(EditorState& editor, CategoryStore& store, const std::wstring& dataFolder);
void cancelItemEdit(EditorState& editor, CategoryStore& store);

// A new item, empty or a separator, after the current one. Needs a current item.
void insertItem(EditorState& editor, CategoryStore& store, bool separator);

// Whether deleting the current item asks first: not for a new item, a
// separator, an item without text, or with Ctrl held.
bool deleteAsks(const EditorState& editor, bool controlHeld);
void deleteCurrentItem(EditorState& editor, CategoryStore& store);

// -1 up, +1 down. False at either end (nothing moves).
bool moveCurrentItem(EditorState& editor, CategoryStore& store, int direction);

// By item text, letter case aside; items that compare equal keep their order.
void sortItems(EditorState& editor, CategoryStore& store);

bool isExplorerCommand(const std::wstring& command);
// The parameters rebuilt from the two Explorer check boxes.
void applyExplorerOptions(EditorState& editor, bool splitWindow, bool asRoot);

// Files dropped on the list: each becomes an accepted item after the one at
// `after` (-1: before the first). False when some file gave no item.
bool insertDroppedFiles(EditorState& editor, CategoryStore& store, int after, const std::vector<std::wstring>& files,
                        const std::wstring& dataFolder);
