#pragma once
// The fuzz targets run natively on Linux: the few platform functions that the
// file code calls are stood in for by plain C++ over a small in-memory machine
// (files, folders, environment, current directory). Texts are UTF-16 code units
// in wstrings, as on Windows; the ANSI code page is Windows-1252.
#include <string>

// Forgets every file and folder written or made, and sets up the machine afresh:
// drive C: with C:\Kivo\kivo.exe as the program and C:\Data\ as the current
// directory, both folders existing, and a few environment variables.
void resetStandin();

// Puts a file in place (its folder must be made with addStandinFolder when it
// matters); replaces one of the same name.
void putStandinFile(const std::wstring& path, const std::string& bytes);
// The content of a file; false when there is none.
bool standinFile(const std::wstring& path, std::string& bytes);
void addStandinFolder(const std::wstring& folder);
// How many times replaceFileContent wrote a file since the last reset.
int standinWrites();
