#pragma once
// The general settings dialog: every global setting in one window, modal to
// the window that opens it. The settings file is written at exit.
#include <string>

// Runs the dialog to its end; does nothing while the settings may not be
// written.
void ShowGeneralSettings();

// A number typed into a field: digits only, with spaces around them allowed;
// an empty field is 0. False for anything else or above `highest`.
bool parseFieldNumber(const std::wstring& text, int highest, int& value);
