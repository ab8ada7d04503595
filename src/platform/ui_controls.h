#pragma once
// Controls of the program's windows, addressed by window and control number.
#include <cstdint>
#include <string>

// Static text, centred both ways, reporting clicks. With `ellipsis` a text too
// long for the control keeps its start and ends in "...".
bool addStaticControl(int windowId, int controlId, int x, int y, int width, int height, const std::wstring& text,
                      bool ellipsis = false);
// The item list: no column header, auto-arrange, double-buffered, label tips,
// no sunken edge, one column of the given width. One row at a time can be
// chosen, or several (then rows are chosen across their whole width).
bool addItemView(int windowId, int controlId, int x, int y, int width, int height, int columnWidth,
                 const std::wstring& columnTitle = std::wstring(), bool multipleSelection = false);
// A tool tip shown over the control.
bool setControlTip(int windowId, int controlId, const std::wstring& text);

bool setControlEnabled(int windowId, int controlId, bool enabled);
bool controlEnabled(int windowId, int controlId);
// Not reported as a change: only the user's edits are.
void setControlText(int windowId, int controlId, const std::wstring& text);
void setControlVisible(int windowId, int controlId, bool visible);
std::wstring controlText(int windowId, int controlId);
// The font belongs to the caller and must outlive its use.
void setControlFont(int windowId, int controlId, void* font);
void setFocusTo(int windowId, int controlId);

// Position and size in the window's inner coordinates.
struct ControlBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};
ControlBox controlBox(int windowId, int controlId);
void moveControl(int windowId, int controlId, const ControlBox& box);
// Paints that part of the window's inner area anew, with the controls in it. A
// control that moves leaves its old picture behind and, when it grows, keeps
// the part it showed before (a centred text stays where it was).
void redrawArea(int windowId, const ControlBox& area);
