#pragma once
// Message boxes centred on the window that owns them.
#include <string>

// Flags and answers of the system message box.
constexpr unsigned kBoxOk = 0x0;
constexpr unsigned kBoxOkCancel = 0x1;
constexpr unsigned kBoxYesNoCancel = 0x3;
constexpr unsigned kBoxYesNo = 0x4;
constexpr unsigned kBoxIconQuestion = 0x20;
constexpr unsigned kBoxIconExclamation = 0x30;
constexpr int kAnswerOk = 1;
constexpr int kAnswerCancel = 2;
constexpr int kAnswerYes = 6;
constexpr int kAnswerNo = 7;

// Shows a system message box owned by window `ownerWindowId` (ui_windows.h) and
// moves it, as it is created, so that its centre lies on the owner's centre, or as
// near to it as the work area of the owner's monitor lets it stand whole. When
// the owner has no rectangle (no such window) the box stays where the system puts
// it. Returns the box's answer.
int showCenteredMessageBox(int ownerWindowId, const std::wstring& text, const std::wstring& title, unsigned flags);

struct BoxPosition {
    int x = 0;
    int y = 0;
};
// Top-left corner of a box of the given size centred on the owner rectangle;
// halves truncate toward zero, and nothing keeps the box on the screen.
BoxPosition centeredBoxPosition(int left, int top, int right, int bottom, int width, int height);
// The position moved just enough that the box lies wholly inside the area (its
// upper left corner wins when the box is larger).
BoxPosition keptInArea(BoxPosition at, int width, int height, int left, int top, int right, int bottom);
