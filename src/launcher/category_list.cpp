#include "launcher/category_list.h"

#include <algorithm>

#include "platform/files.h"
#include "platform/text_case.h"
#include "store/category_file.h"

CategoryNavigation categoryNavigation;

namespace {

const std::wstring kExtension = L".kvl";
const std::wstring kStartup = L"startup";

std::wstring withoutAmpersands(std::wstring text) {
    text.erase(std::remove(text.begin(), text.end(), L'&'), text.end());
    return text;
}

// The name the start-up category is shown and loaded under: "startup" when the
// file can be opened by that name; a name holding "&" keeps its own spelling,
// or its file could not be found again.
std::wstring startupName(const std::wstring& fileName, const std::wstring& usualName) {
    return toLowerCase(fileName) == toLowerCase(usualName) ? usualName : fileName;
}

void insertInMenuOrder(std::vector<std::wstring>& list, const std::wstring& name) {
    const std::wstring key = toLowerCase(name);
    size_t at = list.size();
    while (at > 0 && toLowerCase(list[at - 1]) > key) --at;
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), name);
}

}  // namespace

bool isStartupCategoryName(const std::wstring& name, const std::wstring& startupText) {
    std::wstring key = withoutAmpersands(toLowerCase(name));
    return key == kStartup || key == toLowerCase(startupText);
}

void RebuildCategoryList(CategoryNavigation& nav, const std::wstring& dataFolder, const std::wstring& startupText) {
    if (!nav.categorySetChanged) return;
    bool readable = false;
    const std::vector<std::wstring> files = listFiles(dataFolder, L"*" + kExtension, &readable);
    nav.folderUnreadable = !readable;
    if (!readable) return;
    nav.startupCategory.clear();
    nav.categoryList.clear();
    const std::wstring startupKey = toLowerCase(startupText);
    for (const std::wstring& file : files) {
        // The pattern also matches longer extensions through short names.
        if (file.size() <= kExtension.size() ||
            !sameTextIgnoringCase(file.substr(file.size() - kExtension.size()), kExtension))
            continue;
        const std::wstring name = file.substr(0, file.size() - kExtension.size());
        // "%USERPROFILE%.kvl" would be read from wherever the name expands to.
        if (!isCategoryName(name)) continue;
        const std::wstring key = withoutAmpersands(toLowerCase(name));
        if (key == kStartup) {
            nav.startupCategory = startupName(name, kStartup);
        } else if (key == startupKey) {
            if (nav.startupCategory.empty()) nav.startupCategory = startupName(name, startupText);
        } else {
            insertInMenuOrder(nav.categoryList, name);
        }
    }
    if (!nav.startupCategory.empty()) nav.categoryList.push_back(nav.startupCategory);
    nav.categorySetChanged = false;
}

std::wstring NextCategory(const CategoryNavigation& nav, const std::wstring& current) {
    if (nav.categoryList.empty()) return current;
    auto it = std::find(nav.categoryList.begin(), nav.categoryList.end(), current);
    if (it != nav.categoryList.end() && it + 1 != nav.categoryList.end() && *(it + 1) != nav.startupCategory)
        return *(it + 1);
    return nav.categoryList.front();
}

std::wstring PushVisited(CategoryNavigation& nav, const std::wstring& current) {
    auto& v = nav.visitedCategories;
    auto same = std::find_if(v.begin(), v.end(), [&](const std::wstring& n) { return sameTextIgnoringCase(n, current); });
    if (same != v.end()) v.erase(same);
    v.insert(v.begin(), current);
    return current;
}

std::wstring StepBackVisited(CategoryNavigation& nav) {
    auto& v = nav.visitedCategories;
    if (v.empty()) return std::wstring();
    std::rotate(v.begin(), v.begin() + 1, v.end());
    return v.front();
}

std::wstring DropVisited(CategoryNavigation& nav) {
    auto& v = nav.visitedCategories;
    if (v.empty()) return std::wstring();
    v.erase(v.begin());
    return v.empty() ? std::wstring() : v.front();
}

std::wstring ReplaceVisited(CategoryNavigation& nav, const std::wstring& current) {
    auto& v = nav.visitedCategories;
    if (v.empty()) return std::wstring();
    v.front() = current;
    return current;
}
