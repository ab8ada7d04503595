#pragma once
// Configuration mode: the editor window on one category after another, until
// the user leaves it.

// Runs on the category in targetCategory, or on the current one. False when
// the program is to end (another instance asked it to) rather than go back
// to the launcher.
bool RunConfigurationMode();
