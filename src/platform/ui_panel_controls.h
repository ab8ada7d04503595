#pragma once
// The plain controls of small panels such as the About window: texts, a
// picture, and links that change colour under the pointer.
#include <cstdint>
#include <string>

// The window and its texts in the colours of a dialog.
void useDialogColors(int windowId);

// Left-aligned text that lets clicks through to its window; with `sunkenEdge`
// an empty one draws a rule.
bool addTextControl(int windowId, int controlId, int x, int y, int width, int height, const std::wstring& text,
                    bool sunkenEdge);
// The icon drawn at its own size; the icon stays the caller's.
bool addIconControl(int windowId, int controlId, int x, int y, int width, int height, void* icon);
// A text that reports clicks, drawn in `color` and in `hotColor` while the
// pointer is over it (colours as 0x00BBGGRR), in a window that has colours of
// its own (useDialogColors).
bool addLinkControl(int windowId, int controlId, int x, int y, int width, int height, const std::wstring& text,
                    uint32_t color, uint32_t hotColor);
// Narrows the control to the width its text needs in its font.
void fitControlToText(int windowId, int controlId);
// A label drawn in its own colour (0x00BBGGRR), in a window that has colours
// of its own (useDialogColors).
void setLabelColor(int windowId, int controlId, uint32_t color);
