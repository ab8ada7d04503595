#pragma once
// The help menu of the editor and the settings dialog: help, About, and the
// program and data folders, each in a sub-menu that names it.

// Built once at start-up, in the language of the moment.
void buildHelpMenu();
