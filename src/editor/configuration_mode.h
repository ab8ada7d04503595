#pragma once
// Configuration mode: the editor window on a category, with its own loop.
#include <string>

// Runs until the editor is closed, on the category in the store (or on the new
// one named by the target category). The category to show afterwards may change.
void RunConfigurationMode();
