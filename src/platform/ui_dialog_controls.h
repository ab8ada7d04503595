#pragma once
// The controls of dialog windows: frames, labels, buttons, check boxes, a
// drop-down list, edit, spin and hotkey fields, and the dialog's own keys.
#include <cstdint>
#include <string>

enum class TextAlign { Left, Center, Right };
bool addLabel(int windowId, int controlId, int x, int y, int width, int height, const std::wstring& text,
              TextAlign align);
// An empty frame with a sunken edge. It stays behind every other control, so
// the controls placed on it are drawn and clicked as if it were not there.
bool addFrame(int windowId, int controlId, int x, int y, int width, int height);

// The default button is the one Return stands for; it looks so.
bool addPushButton(int windowId, int controlId, int x, int y, int width, int height, const std::wstring& text,
                   bool isDefault);
// A push button that stays pressed until it is clicked again (isChecked).
bool addToggleButton(int windowId, int controlId, int x, int y, int width, int height, const std::wstring& text);
// A push button that shows an icon (setButtonIcon) instead of a text.
bool addIconButton(int windowId, int controlId, int x, int y, int width, int height);
// The button shows a copy of `icon` (none when null); the original stays the caller's.
void setButtonIcon(int windowId, int controlId, void* icon);
// Files dropped on the control arrive as FilesDropped events with its number.
void acceptDroppedFiles(int windowId, int controlId);

bool addCheckBox(int windowId, int controlId, int x, int y, int width, int height, const std::wstring& text);
void setChecked(int windowId, int controlId, bool checked);
bool isChecked(int windowId, int controlId);

// A list that drops down below the field; rows counted from 0.
bool addDropDownList(int windowId, int controlId, int x, int y, int width, int height);
void addListRow(int windowId, int controlId, const std::wstring& text);
void selectListRow(int windowId, int controlId, int row);
int selectedListRow(int windowId, int controlId);  // -1 when none
std::wstring listRowText(int windowId, int controlId, int row);

// A single-line field of at most `maxChars` characters; with `digitsOnly` the
// user can type nothing but digits (pasting can still bring in other text).
bool addEditField(int windowId, int controlId, int x, int y, int width, int height, const std::wstring& text,
                  bool digitsOnly, int maxChars);
// The whole text selected, as for a correction.
void selectFieldText(int windowId, int controlId);
// The caret after the last character, nothing selected.
void moveCaretToEnd(int windowId, int controlId);

// A digits field with up and down arrows inside its right end, stepping
// between `low` and `high`. The arrows are a control of their own, number
// spinArrowsId(controlId).
constexpr int spinArrowsId(int controlId) { return controlId + 1000; }
bool addSpinField(int windowId, int controlId, int x, int y, int width, int height, int low, int high, int value);

// The field shows the keys the user presses as a hotkey. Its value is the
// virtual-key code with the modifiers 0x10000 Shift, 0x20000 Ctrl and 0x40000
// Alt; 0 for none.
constexpr uint32_t kFieldShift = 0x10000;
constexpr uint32_t kFieldControl = 0x20000;
constexpr uint32_t kFieldAlt = 0x40000;
bool addHotkeyField(int windowId, int controlId, int x, int y, int width, int height);
void setHotkeyFieldValue(int windowId, int controlId, uint32_t value);
uint32_t hotkeyFieldValue(int windowId, int controlId);

// The control of the window that has the keyboard focus; 0 when none has.
int focusedControl(int windowId);

// Tab and the arrow keys move between the controls as in any dialog. Return
// and Escape come to the program's loop as key events and go no further,
// unless the focused control wants them itself (an open drop-down list).
// Access keys, the letters after a "&" in the texts of labels, check boxes
// and buttons, are shown underlined and work as in a dialog: Alt with the
// letter (or the letter alone where the focused control takes no typing)
// presses a button, checks a box, and gives the focus from a label to the
// control after it in the Tab order. Called once the controls are made.
void useDialogKeys(int windowId);
// The label's access key gives the focus to the control instead: for a label
// that cannot stand just before its control in the Tab order (a label drawn
// below the field it touches must follow it).
void setLabelTarget(int windowId, int labelId, int controlId);
