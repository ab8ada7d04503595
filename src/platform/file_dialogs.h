#pragma once
// The system's requesters for a file to open and for a folder.
#include <string>

// Explorer-style requester for an existing file, owned by window
// `ownerWindowId` (ui_windows.h), offering one filter: `filterName` shown,
// `patterns` such as L"*.exe;*.dll" applied. Starts in `startFolder` unless it
// is empty; the current directory stays as it was. The full path chosen, empty
// when the user cancels.
std::wstring chooseFileToOpen(int ownerWindowId, const std::wstring& title, const std::wstring& filterName,
                              const std::wstring& patterns, const std::wstring& startFolder);

// Requester for a folder of the file system, owned by window `ownerWindowId`,
// with `title` as its caption and above the folders, and a field to type a
// path into; `startFolder` comes chosen when it exists. The folder chosen,
// empty when the user cancels.
std::wstring chooseFolder(int ownerWindowId, const std::wstring& title, const std::wstring& startFolder);
