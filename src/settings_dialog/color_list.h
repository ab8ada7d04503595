#pragma once
// The custom colours offered by the colour chooser, kept for the whole run.
#include <cstdint>

#include "platform/common_dialogs.h"

struct CustomColors {
    uint32_t colors[kCustomColorCount] = {};
};

extern CustomColors customColors;

// The colour the chooser opens with goes to the front; the ones before its old
// place move down (all of them, and the last falls off, when it was not there).
void moveColorToFront(CustomColors& list, uint32_t color);
// A chosen colour takes the first empty (0) place, unless it stands before it.
void rememberChosenColor(CustomColors& list, uint32_t color);

// The chooser on `color` with the list; -1 when the user cancels.
int64_t chooseColorWithList(int ownerWindowId, uint32_t color);
