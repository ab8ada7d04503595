#pragma once
// A list whose rows the program keeps itself: the view asks for the text, the
// detail and the image of each row only when it draws the row, so a list of
// thousands of rows shows as fast as one of ten. It reports clicks as an item
// view does, with the row number as the data.
#include <string>

#include "platform/ui_item_view.h"

// Texts of one row; they must live until the next call.
struct ResultRowTexts {
    const std::wstring* text = nullptr;
    const std::wstring* detail = nullptr;  // second column, and the row's tool tip
};
using ResultRowSource = bool (*)(int windowId, int controlId, int row, ResultRowTexts& texts);
// The images are asked for with the row number as the data; an answer of
// kRowImageLater draws the row without one this time.
void setResultRowSource(ResultRowSource texts, ItemImageSource images);

// Created hidden.
bool addResultView(int windowId, int controlId, int x, int y, int width, int height);
// Shows `count` rows, one under the other, drawing from `images` (an image list
// of icons of `rowIcons` size, which stays its owner's), the first row chosen.
// Without rows, `noRowsText` (unless empty) stands near the top of the list.
void showResultRows(int windowId, int controlId, IconSize rowIcons, void* images, int count,
                    const std::wstring& noRowsText);
// Chooses the first or the last row and scrolls it into sight.
void chooseEndRow(int windowId, int controlId, bool last);
// Shares the width between the caption and the detail.
void fitResultColumns(int windowId, int controlId);
