#pragma once
// What the program found at start, as text, shown until the launcher window exists.
#include <string>

#include "launcher/category_list.h"
#include "settings/data_folder.h"
#include "settings/general_settings.h"
#include "store/category_store.h"

std::wstring statusReport(const ProgramFolders& folders, const GeneralSettings& general,
                          const CategoryNavigation& nav, const CategoryStore& store, const std::wstring& languageFile);
