#include "settings_dialog/hotkey_value.h"

namespace {

constexpr uint32_t kKeyMask = 0xFFFF;
constexpr uint32_t kBit16 = 0x10000;  // stored Alt, field Shift
constexpr uint32_t kBit17 = 0x20000;  // Ctrl in both
constexpr uint32_t kBit18 = 0x40000;  // stored Shift, field Alt
constexpr uint32_t kModifierMask = kBit16 | kBit17 | kBit18;

constexpr uint32_t kKeyF1 = 0x70;
constexpr uint32_t kKeyF12 = 0x7B;

// The two forms differ only in the places of Shift and Alt.
uint32_t swapShiftAndAlt(uint32_t modifiers) {
    return (modifiers & kBit17) | ((modifiers & kBit16) ? kBit18 : 0) | ((modifiers & kBit18) ? kBit16 : 0);
}

bool isLetterOrDigit(uint32_t key) { return (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'); }

}  // namespace

uint32_t hotkeyFieldFromStored(uint32_t stored) {
    return (stored & 0xFF) | swapShiftAndAlt(stored & kModifierMask);
}

bool acceptHotkeyField(uint32_t field, uint32_t& stored) {
    if (field == 0) {
        stored = 0;
        return true;
    }
    const uint32_t key = field & kKeyMask;
    const uint32_t modifiers = swapShiftAndAlt(field & kModifierMask);
    const bool functionKey = key >= kKeyF1 && key <= kKeyF12;
    // Shift alone would take a plain capital letter from every program.
    const bool ctrlOrAlt = (modifiers & (kBit16 | kBit17)) != 0;
    if (!functionKey && !(isLetterOrDigit(key) && ctrlOrAlt)) return false;
    stored = key | modifiers | kHotkeyChosen;
    return true;
}

bool hotkeyFieldIncomplete(uint32_t field) { return (field & kKeyMask) == 0 && (field & kModifierMask) != 0; }
