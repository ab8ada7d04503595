#pragma once
// The system's font and colour choosers.
#include <cstdint>
#include <string>

struct FontChoice {
    std::wstring face;
    int pointSize = 0;
    int styleFlags = 0;  // 256 bold, 512 italic, 4 underline, 8 strike-out
    uint32_t color = 0;  // 0x00BBGGRR
};
// Opens with `choice` and the effects (colour, underline, strike-out); false
// when the user cancels.
bool chooseFont(int ownerWindowId, FontChoice& choice);

constexpr int kCustomColorCount = 16;
// Fully opened on `color`, owned by the program's window in the foreground (else
// by `ownerWindowId`); the custom colours are shown and may be changed by the
// user. False when the user cancels.
bool chooseColor(int ownerWindowId, uint32_t& color, uint32_t (&customColors)[kCustomColorCount]);
