#include "settings_dialog/color_list.h"

CustomColors customColors;

void moveColorToFront(CustomColors& list, uint32_t color) {
    int place = kCustomColorCount - 1;
    for (int i = 0; i < kCustomColorCount; ++i) {
        if (list.colors[i] == color) {
            place = i;
            break;
        }
    }
    for (int i = place; i > 0; --i) list.colors[i] = list.colors[i - 1];
    list.colors[0] = color;
}

void rememberChosenColor(CustomColors& list, uint32_t color) {
    for (uint32_t& entry : list.colors) {
        if (entry == color) return;
        if (entry == 0) {
            entry = color;
            return;
        }
    }
}

int64_t chooseColorWithList(int ownerWindowId, uint32_t color) {
    moveColorToFront(customColors, color);
    if (!chooseColor(ownerWindowId, color, customColors.colors)) return -1;
    rememberChosenColor(customColors, color);
    return color;
}
