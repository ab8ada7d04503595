#pragma once
// The list of items: rows with a text, an icon and the position of their item.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/icons.h"

enum class ItemViewMode { LargeIcons, SmallIcons, SingleColumn };

// The image of a row: an index into the view's image list, or one of these.
constexpr int kRowImageNone = -1;
constexpr int kRowImageLater = -2;  // asked of the image source when the row is first drawn

// Gives the image of a row added with kRowImageLater, from the data attached
// to it: an index into the view's image list, kRowImageNone for none (both
// kept with the row), or kRowImageLater to be asked again next time.
using ItemImageSource = int (*)(int windowId, int controlId, int rowData, IconSize size);
void setItemImageSource(ItemImageSource source);

// Gives the text of a row added with appendSourcedRow, from its data, when the
// view draws it or is searched by its first letters.
using ItemTextSource = std::wstring (*)(int windowId, int controlId, int rowData);
void setItemTextSource(ItemTextSource source);

// Removes every row, shows the busy pointer and stops redrawing until
// endItemViewFill. The view draws from `images` (an image list of the mode's
// icon size, which stays its owner's) from now on. `rowsExpected` rows are
// made room for.
bool beginItemViewFill(int windowId, int controlId, ItemViewMode mode, void* images, int rowsExpected = 0);
// A row whose image is an index into the view's image list or one of the
// kRowImage values. Returns the row number.
int appendItemRow(int windowId, int controlId, const std::wstring& text, int image, int data);
// The same for a row whose text the text source gives: the view keeps only
// its image and data, whatever the number of rows.
int appendSourcedRow(int windowId, int controlId, int image, int data);
// No view draws from the image list any more.
void detachItemViewImages(void* images);
// Selects `selectRow` (none when -1) and shows it, then redraws.
void endItemViewFill(int windowId, int controlId, int selectRow);

int itemRowCount(int windowId, int controlId);
// Selects the row (-1: none) and scrolls it into view.
void selectItemRow(int windowId, int controlId, int row);
int selectedItemRow(int windowId, int controlId);  // the first chosen row, -1 for none
// The row with the focus rectangle, chosen or not; -1 for none.
int focusedItemRow(int windowId, int controlId);
bool itemRowSelected(int windowId, int controlId, int row);
// The chosen rows in list order.
std::vector<int> selectedItemRows(int windowId, int controlId);
// The data attached to a row; -1 when there is no such row.
int itemRowData(int windowId, int controlId, int row);
// The first row with that data attached; -1 when none has it.
int itemRowOfData(int windowId, int controlId, int data);

std::wstring itemRowText(int windowId, int controlId, int row);
// True when the whole row lies in the view's inner area (scrolled into sight).
bool itemRowInSight(int windowId, int controlId, int row);
// True while the view shows a horizontal scroll bar.
bool itemViewScrollsSideways(int windowId, int controlId);

// Distance between icons in the large-icon view.
void setItemViewSpacing(int windowId, int controlId, int horizontal, int vertical);
// Colours as 0x00BBGGRR; the font belongs to the caller.
void setItemViewLook(int windowId, int controlId, void* font, uint32_t textColor, uint32_t backgroundColor);
// Makes the single column as wide as the view.
void fitItemViewColumn(int windowId, int controlId);
