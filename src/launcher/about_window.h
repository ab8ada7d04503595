#pragma once
// The About window: a small borderless panel with the program's icon, its
// version, build and copyright lines, the licence and a link to the help, closed
// by any key or click.
#include <string>

// Runs the window modally over the program's current window and returns when
// it has been closed; a click on a link opens the licence file or the help.
void ShowAboutWindow();

// "Kivo ver. ..." and "Compiled: <day of the build>,  <compiler>".
std::wstring aboutVersionLine();
std::wstring aboutBuildLine();
