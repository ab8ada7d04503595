#pragma once
// What the editor's buttons, fields, keys and menu entries do.
#include <string>
#include <vector>

#include "editor/editor_state.h"

// Carries out a control's or a command's number (see editor_window.h).
void runEditorCommand(EditorState& editor, int command);

// Files dropped on the item list or on the command field.
void dropFiles(EditorState& editor, int control, const std::vector<std::wstring>& files);
