// File menus: the files of a folder offered in a popup menu, each opened by the
// shell or by the item's own program.
#include <algorithm>

#include "launch/launch_item.h"
#include "platform/files.h"
#include "platform/text_case.h"
#include "store/text_lines.h"

namespace {

constexpr wchar_t kNoExtensionWord[] = L"/noext";

// Removes every "/noext", whatever its letter case; true when there was one.
bool takeNoExtensionWord(std::wstring& parameters) {
    const size_t length = std::size(kNoExtensionWord) - 1;
    bool found = false;
    for (size_t at = toLowerCase(parameters).find(kNoExtensionWord); at != std::wstring::npos;
         at = toLowerCase(parameters).find(kNoExtensionWord)) {
        parameters.erase(at, length);
        found = true;
    }
    return found;
}

// Keeps the list sorted by lower-cased name; an equal name goes after the ones
// already there.
void insertSorted(std::vector<std::wstring>& names, std::vector<std::wstring>& keys, const std::wstring& name) {
    const std::wstring key = toLowerCase(name);
    const auto at = std::upper_bound(keys.begin(), keys.end(), key);
    const auto offset = at - keys.begin();
    keys.insert(at, key);
    names.insert(names.begin() + offset, name);
}


}  // namespace

std::vector<std::wstring> fileMenuFiles(const std::wstring& parameters, const std::wstring& directory,
                                        bool& hideExtensions) {
    std::wstring patterns = parameters;
    hideExtensions = takeNoExtensionWord(patterns);
    const std::wstring folder = toFullPath(directory);
    std::vector<std::wstring> names;
    std::vector<std::wstring> keys;
    size_t start = 0;
    for (;;) {
        const size_t comma = patterns.find(L',', start);
        const std::wstring pattern(
            trimSpaces(std::wstring_view(patterns).substr(start, comma == std::wstring::npos ? std::wstring::npos : comma - start)));
        if (pattern.empty()) break;
        for (const std::wstring& name : listFiles(folder, pattern)) insertSorted(names, keys, name);
        if (comma == std::wstring::npos) break;
        start = comma + 1;
    }
    return names;
}

void showFileMenu() {
    launchState.popupMenuMode = kMenuModeFileMenu;
    resetPopupMenu(kFileMenuId);
    const ItemFields& item = launchState.launchRecord;
    bool hideExtensions = false;
    launchState.fileList = fileMenuFiles(item.parameters, item.directory, hideExtensions);
    int command = kFirstMenuEntry;
    for (const std::wstring& name : launchState.fileList)
        appendMenuEntry(kFileMenuId, command++, hideExtensions ? withoutExtension(name) : name);
    const int owner = launchState.ownerWindowId;
    launchState.services.popupMenu(kFileMenuId, owner, popupPointNear(owner, launchState.itemListControl));
}

void launchFileMenuEntry(int position) {
    if (position < 0 || static_cast<size_t>(position) >= launchState.fileList.size()) return;
    const ItemFields& item = launchState.launchRecord;
    std::wstring path = toFullPath(item.directory);
    if (!path.empty() && path.back() != L'\\') path += L'\\';
    path += launchState.fileList[static_cast<size_t>(position)];
    const std::wstring program(trimSpaces(std::wstring_view(item.command).substr(std::min<size_t>(5, item.command.size()))));

    ShellRequest request;
    request.ownerWindowId = launchState.ownerWindowId;
    if (program.empty()) {
        request.file = path;
    } else {
        request.file = program;
        request.parameters = L"\"" + path + L"\"";
    }
    launchState.services.runShell(request);
}
