#pragma once
// The data folders the benchmarks start Kivo and the bare window on, written
// into the work folder at every run.
#include <string>
#include <vector>

// A data folder whose start category "Items" holds `count` items, with the
// documents and folders the items name; returns the folder. With `longLines`
// every item has parameters and a working folder too, some a show mode: about
// 100 bytes a line rather than 50.
std::wstring makeStartFolder(const std::wstring& workFolder, int count, bool longLines = false);

// Kivo.ini of a start folder written anew, as a Kivo that ended normally
// leaves it changed.
void writeStartSettings(const std::wstring& folder);

// Categories "Few" (shown at start) and "Many", which Tab switches to.
struct SwitchFolder {
    std::wstring folder;
    std::wstring fewList;   // Few.kvl
    std::wstring manyList;  // Many.kvl
};
SwitchFolder makeSwitchFolder(const std::wstring& workFolder, int fewCount, int manyCount);

// The full path of a program in the system folder or else the Windows folder,
// or empty when neither holds it.
std::wstring systemProgram(const std::wstring& file);

// A documents folder in the data folder, with a few small documents and sub
// folders; returns the paths of the documents, then those of the folders.
struct DocumentPaths {
    std::vector<std::wstring> documents;
    std::vector<std::wstring> folders;
};
DocumentPaths makeDocuments(const std::wstring& dataFolder);

// A folder `name` in the work folder, made when missing.
std::wstring makeFolder(const std::wstring& workFolder, const std::wstring& name);

// Kivo.ini: large icons in a window of Kivo's default inner size for every
// category, `start` shown at start.
std::string launcherSettings(const std::wstring& start, const std::vector<std::wstring>& categories);

bool writeWholeFile(const std::wstring& path, const std::string& bytes);
std::string toUtf8(const std::wstring& text);
