#pragma once
// The temp category: "temp.kvl" in the data folder, where items are carried
// from one category to another.
#include <string>
#include <vector>

#include "store/category_store.h"
#include "store/drive_letters.h"

// True when the file exists and holds something.
bool tempHoldsItems(const std::wstring& tempFile);

// Adds the items at `positions` to the end of the temp file, in its own format;
// a missing file is made in the format of the category files, without a
// byte-order mark where the format can be told without one. The whole file is
// written anew beside itself, so that a failed write leaves it as it was.
// False when nothing was written.
bool copyToTemp(const CategoryStore& store, const std::vector<int>& positions, const std::wstring& tempFile);

// Removes the items at `positions` (in list order); the current item moves to
// the last one when it was past the end. Returns how many went.
int removeItems(CategoryStore& store, const std::vector<int>& positions);

// Reads the temp file's items in after the current one (or as the whole of an
// empty list), drive letters adapted; the first of them becomes current.
// Returns how many came in; the file itself is left alone.
int insertFromTemp(CategoryStore& store, const std::wstring& tempFile, const DriveLetters& drives);

// Takes the first `count` items (those inserted elsewhere and saved there now)
// out of the temp file, keeping what was added after them; the file goes when
// no item is left. A file with fewer items was changed by someone else and is
// left alone. True when the file changed.
bool dropTakenItems(const std::wstring& tempFile, int count);
