#pragma once
// The items of the start-up category, started once when the program starts.
#include "app/command_line.h"
#include "store/drive_letters.h"

// Loads the start-up category and starts its items in order, unless there is
// none, "/nostartup" was given or Ctrl is held down. Category switches and file
// menus are skipped.
void launchStartupItems(const StartOptions& options, const DriveLetters& drives);
