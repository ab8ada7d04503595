#pragma once
// The bare program's reading of a category file: what a small program that
// reads the format would keep of it.
#include <string>
#include <vector>

struct Row {
    std::wstring caption;
    std::wstring command;
};

// "Caption=command;parameters;..." lines of a UTF-8 file; only caption and command count here.
std::vector<Row> readRows(const wchar_t* path);
