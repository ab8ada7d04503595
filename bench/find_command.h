#pragma once
// How the runner opens Find and types into it: Kivo's Find command (what
// Ctrl+F does) and the control number of its field, which the bare window's
// find mode answers and uses alike.
constexpr int kFindCommand = 86;
constexpr int kFindFieldId = 6;
