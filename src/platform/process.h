#pragma once
// The running process: its program file and current directory.
#include <string>

std::wstring programFilePath();   // full path of the running program file
std::wstring currentDirectory();  // with a trailing "\"
bool setCurrentDirectory(const std::wstring& folder);
