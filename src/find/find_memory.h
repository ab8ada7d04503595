#pragma once
// What Find learned, read from its file in the data folder when Find first
// needs it and written back whenever it learns something.
#include <string>

#include "find/find_learning.h"
#include "settings/data_folder.h"

struct FindMemory {
    LearnedRanking ranking;
    bool read = false;
    // A file there that could not be read is never written over: learning
    // then waits for another run.
    bool writable = false;
};

// Reads the file once; later calls do nothing.
void readFindMemory(FindMemory& memory);
// Counts the start of `row` after typing `typed` and saves. Nothing when the
// settings say not to learn or nothing may be written.
void rememberFindChoice(FindMemory& memory, const std::wstring& typed, const std::wstring& row);
// Writes the choices as the file holds them, never leaving it cut short.
bool writeLearnedFile(const std::wstring& path, const std::vector<LearnedChoice>& choices);

// Forgets everything learned; the file goes.
void forgetFindMemory(FindMemory& memory);
