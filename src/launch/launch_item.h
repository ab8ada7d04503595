#pragma once
// Starting the item in the launch record.
#include <string>
#include <vector>

#include "launch/launch_state.h"

// Bits of a launch result.
constexpr int kLaunchNothing = 0;
constexpr int kLaunchCategorySwitch = 2;  // the category to show is in targetCategory
constexpr int kLaunchEnterEditor = 4;     // failed, and the user asked for the editor
constexpr int kLaunchStarted = 8;

// Starts the launch record (see prepareLaunch). At start-up, category switches and
// file menus are skipped and the modifier keys are not looked at.
int launchItem(bool startup);

// The file menu of the launch record's file-menu item; its entries arrive as
// commands kFirstMenuEntry + position.
void showFileMenu();
void launchFileMenuEntry(int position);

// Names of the files the file-menu item lists, sorted; a pattern list with an
// empty field ends there. `hideExtensions` tells whether "/noext" was given.
std::vector<std::wstring> fileMenuFiles(const std::wstring& parameters, const std::wstring& directory,
                                        bool& hideExtensions);

// Opens the folder that holds the selected item's target in the file manager.
void openItemFolder();

// A name without its extension: the text from its last "." on, unless that "."
// is the first or last character or a space follows it.
std::wstring withoutExtension(const std::wstring& name);
// An existing folder; a drive letter with a colon counts when the drive exists.
bool namesFolder(const std::wstring& path);
// The lower-cased text after the last "." of the file part; empty without one.
std::wstring extensionOf(const std::wstring& path);
// The file part of a path: after its last "\" or "/", up to a double quote.
std::wstring filePartOf(const std::wstring& path);
// A path as one command-line argument in double quotes; a text that begins with a
// double quote is taken as quoted already.
std::wstring quotedPath(const std::wstring& path);
