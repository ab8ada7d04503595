#pragma once
// The running process: folders and identity.
#include <string>

std::wstring currentDirectory();  // with a trailing "\"
