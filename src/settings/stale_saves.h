#pragma once
// New files that a save wrote beside Kivo's own files and never put in place,
// because the program was killed or the machine went down in the middle.
#include <string>

// Deletes those of the settings file and of the category files in `dataFolder`
// whose writing process has ended, also when its id has been given to a process
// started since; returns how many went.
int removeStaleSaves(const std::wstring& dataFolder);
