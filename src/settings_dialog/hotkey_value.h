#pragma once
// The activation hotkey as stored in the settings and as the hotkey field of
// the settings dialog holds it.
#include <cstdint>

// Stored: the virtual key in bits 0-14, 0x8000 while registered, the modifiers
// as the system registers them (0x10000 Alt, 0x20000 Ctrl, 0x40000 Shift), and
// 0x100000 on every value chosen in the dialog.
constexpr uint32_t kHotkeyKeyMask = 0x7FFF;
constexpr uint32_t kHotkeyRegistered = 0x8000;
constexpr uint32_t kHotkeyChosen = 0x100000;

// The field's form: the same key, Shift and Alt swapped, the flag bits gone.
uint32_t hotkeyFieldFromStored(uint32_t stored);

// What a field value may become: 0 stays 0 (no hotkey); a letter or a digit of
// the main keyboard with Ctrl or Alt, or F1-F12 with any modifiers or none,
// becomes its stored form. False for anything else.
bool acceptHotkeyField(uint32_t field, uint32_t& stored);

// Modifiers pressed with no key yet: the user is still typing the hotkey.
bool hotkeyFieldIncomplete(uint32_t field);
