#pragma once
// Configuration mode: the editor window on a category, with its own loop.
#include <string>

// Runs until the editor is closed. The category to show afterwards may change.
void RunConfigurationMode(std::wstring& targetCategory);
