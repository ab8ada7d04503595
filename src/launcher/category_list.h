#pragma once
// The categories in menu order, the start-up category, and the history of the
// categories shown in this run.
#include <string>
#include <vector>

struct CategoryNavigation {
    std::vector<std::wstring> categoryList;  // menu order, start-up category last
    std::wstring startupCategory;            // empty when there is none
    std::vector<std::wstring> visitedCategories;  // most recent first
    bool categorySetChanged = true;  // the list is rebuilt before it is used next
    // The data folder could not be listed when the list was to be rebuilt: the
    // list is the one from before (at start, none), and no sign of an empty folder.
    bool folderUnreadable = false;
    std::wstring targetCategory;     // the category to show next
};

extern CategoryNavigation categoryNavigation;

// `startupText` is the language's name of the start-up category ("Startup").
bool isStartupCategoryName(const std::wstring& name, const std::wstring& startupText);

// Rebuilds the list from the "*.kvl" files of the data folder while
// `categorySetChanged` is set, and clears the flag; a folder that cannot be
// listed leaves the list and the flag as they were and sets `folderUnreadable`.
void RebuildCategoryList(CategoryNavigation& nav, const std::wstring& dataFolder, const std::wstring& startupText);

// The category after `current`, wrapping to the first before the start-up
// category and for names that are not listed.
std::wstring NextCategory(const CategoryNavigation& nav, const std::wstring& current);

// History operations; each returns the category to show, or an empty name.
std::wstring PushVisited(CategoryNavigation& nav, const std::wstring& current);
std::wstring StepBackVisited(CategoryNavigation& nav);
std::wstring DropVisited(CategoryNavigation& nav);
std::wstring ReplaceVisited(CategoryNavigation& nav, const std::wstring& current);
