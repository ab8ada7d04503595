#pragma once
// The data folders the benchmarks start Kivo and the bare window on, written
// into the work folder at every run.
#include <string>

// A data folder whose start category "Items" holds `count` items, with the
// documents and folders the items name; returns the folder.
std::wstring makeStartFolder(const std::wstring& workFolder, int count);

// Categories "Few" (shown at start) and "Many", which Tab switches to.
struct SwitchFolder {
    std::wstring folder;
    std::wstring fewList;   // Few.kvl
    std::wstring manyList;  // Many.kvl
};
SwitchFolder makeSwitchFolder(const std::wstring& workFolder, int fewCount, int manyCount);

bool writeWholeFile(const std::wstring& path, const std::string& bytes);
std::string toUtf8(const std::wstring& text);
