#include "launch/modal_owner.h"

#include "launch/launch_state.h"
#include "launcher/commands.h"
#include "platform/ui_controls.h"
#include "platform/ui_dialog_controls.h"
#include "platform/ui_windows.h"

ModalOwner takeOwner() {
    ModalOwner modal;
    modal.owner = launchState.ownerWindowId;
    modal.ownerFocus = focusedControl(modal.owner);
    return modal;
}

void beginModal(const ModalOwner& modal, int dialogId) {
    setWindowEnabled(modal.owner, false);
    launchState.ownerWindowId = dialogId;
}

bool holdForOwner(ModalOwner& modal, const UiEvent& event) {
    if (event.kind != UiEventKind::Timer) modal.forOthers.push_back(event);
    return event.kind == UiEventKind::UserMessage && event.code == kCommandExit;
}

void endModal(const ModalOwner& modal, int dialogId) {
    setWindowEnabled(modal.owner, true);
    closeWindow(dialogId);
    launchState.ownerWindowId = modal.owner;
    if (windowVisible(modal.owner) && !windowMinimized(modal.owner)) {
        bringWindowToFront(modal.owner);
        if (modal.ownerFocus) setFocusTo(modal.owner, modal.ownerFocus);
    }
    for (const UiEvent& later : modal.forOthers) queueEvent(later);
}
