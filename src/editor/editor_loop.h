#pragma once
// One run of the configuration editor on one category: its events, the item
// operations they call, and the checks before the editor leaves the category.

// Runs until the editor leaves or switches the category; returns the exit
// bits of editor_state.h. `startModified`: the items differ from the file already.
int RunEditorLoop(bool startModified);

// Writes the category (renamed first when its name was changed); with nothing
// changed the file is left untouched. False, after telling the user, when it
// could not be written.
bool saveEditedCategory();
