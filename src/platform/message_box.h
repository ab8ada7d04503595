#pragma once
// Message boxes.
#include <string>

// A plain information box without owner; returns when the user closes it.
void showInformation(const std::wstring& text, const std::wstring& caption);
