#include "platform/message_box.h"

#include <windows.h>

namespace {

UINT styleOf(const MessageRequest& r) {
    UINT style = MB_SETFOREGROUND;
    switch (r.icon) {
        case MessageIcon::None: break;
        case MessageIcon::Information: style |= MB_ICONINFORMATION; break;
        case MessageIcon::Warning: style |= MB_ICONWARNING; break;
        case MessageIcon::Question: style |= MB_ICONQUESTION; break;
        case MessageIcon::Error: style |= MB_ICONERROR; break;
    }
    switch (r.buttons) {
        case MessageButtons::Ok: style |= MB_OK; break;
        case MessageButtons::OkCancel: style |= MB_OKCANCEL; break;
        case MessageButtons::YesNo: style |= MB_YESNO; break;
        case MessageButtons::YesNoCancel: style |= MB_YESNOCANCEL; break;
    }
    if (r.defaultButton == 2) style |= MB_DEFBUTTON2;
    if (r.defaultButton == 3) style |= MB_DEFBUTTON3;
    return style;
}

}  // namespace

MessageAnswer showMessage(const MessageRequest& request) {
    switch (MessageBoxW(nullptr, request.text.c_str(), request.caption.c_str(), styleOf(request))) {
        case IDYES: return MessageAnswer::Yes;
        case IDNO: return MessageAnswer::No;
        case IDCANCEL: return MessageAnswer::Cancel;
        default: return MessageAnswer::Ok;
    }
}
