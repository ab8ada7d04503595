#pragma once
// Shortcuts put into a group of the user's Start menu for the Find-opening
// figure: a large Start menu, and one with damaged shortcuts among real ones.
// No name nor target holds the letters of the texts the figures type.
#include <string>

enum class StartMenuLoad {
    None,
    Large,    // 5,000 shortcuts in 500 groups
    Damaged,  // 37 real shortcuts and 31 damaged ones, one of 20 MB
};

// Fills the group anew; `apps` is a folder for the programs the shortcuts start.
void makeStartMenuLoad(StartMenuLoad load, const std::wstring& apps);
// Takes the group and everything in it out of the Start menu.
void removeStartMenuLoad();
