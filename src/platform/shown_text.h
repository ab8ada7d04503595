#pragma once
// Texts as controls are handed them. The item keeps its whole text; only what
// a control is given is cut: the system lays a text out in a time that grows
// faster than its length (a caption of a megabyte held a window for minutes),
// and nobody reads a caption of more than a thousand characters in a list.
#include <cstddef>
#include <string>
#include <string_view>

constexpr size_t kShownTextLength = 1024;

// The text, or its first `length` characters and "…" when it is longer.
std::wstring shownText(std::wstring_view text, size_t length = kShownTextLength);

// The text with characters from its middle replaced by "…" so that `kept` of
// them remain, half from each end: the drive and the file name of a long path
// stay. Unchanged when it has no more than `kept`. Neither cut ever splits a
// surrogate pair.
std::wstring cutInMiddle(std::wstring_view text, size_t kept);
