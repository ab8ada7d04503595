#pragma once
// A dialog over the window the program shows: that window is disabled while
// the dialog runs, events meant for it wait, and at the end it gets them back
// with the foreground and the control that had its focus.
#include <vector>

#include "platform/ui_events.h"

struct ModalOwner {
    int owner = 0;       // the window in charge when the dialog opened
    int ownerFocus = 0;  // its control that had the focus
    std::vector<UiEvent> forOthers;  // events for the other windows, handed on at the end
};

// The window in charge now (launchState.ownerWindowId) and its focused control.
ModalOwner takeOwner();

// The owner disabled; the dialog owns what is opened from now on.
void beginModal(const ModalOwner& modal, int dialogId);

// Keeps an event of another window for the end (the owner's timer ticks would
// only start auto-hide or auto close behind the dialog, so they go). True
// when another instance asks the program to exit: that ends the dialog.
bool holdForOwner(ModalOwner& modal, const UiEvent& event);

// Closes the dialog and gives the owner everything back.
void endModal(const ModalOwner& modal, int dialogId);
