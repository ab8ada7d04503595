#pragma once
// Message boxes.
#include <string>

enum class MessageIcon { None, Information, Warning, Question, Error };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct MessageRequest {
    std::wstring text;
    std::wstring caption;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    int defaultButton = 1;  // 1 to 3, left to right
};

// The text as every message box shows it: a line longer than kShownTextLength
// and a run of characters without a space wider than the box may be loses
// characters from its middle to "…". The system makes a box as wide as the
// longest run it cannot wrap, and a path of thousands of characters took the
// box far past the screen.
std::wstring fittedBoxText(const std::wstring& text);

// Shows the box without owner window and waits for the answer.
MessageAnswer showMessage(const MessageRequest& request);

// How start-up code asks the user; tests put their own answers in its place.
using AskUser = MessageAnswer (*)(const MessageRequest& request);
