#pragma once
// The help: "Kivo-de.chm" for the German language, "Kivo-en.chm" for any other,
// beside the program, opened in one viewer at a time.
#include <string>

// The help file's name for the language in use.
std::wstring helpFileFor(const std::wstring& language);

// Opens the help and returns at once; a viewer opened before is ended first.
// Nothing in read-only mode; a missing file or viewer is not reported.
void OpenHelp();
// At exit: ends the viewer if it still runs.
void closeHelpViewer();
