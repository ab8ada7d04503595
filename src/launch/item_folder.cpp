// Showing where an item's target lives, in the file manager of the settings.
#include "launch/launch_item.h"
#include "platform/text_case.h"
#include "settings/general_settings.h"

void openItemFolder() {
    const CategoryItems& items = categoryStore.items;
    const int selected = categoryStore.selectedItem;
    if (selected < 0 || static_cast<size_t>(selected) >= items.size()) return;
    const CategoryItem& element = items[static_cast<size_t>(selected)];
    if (itemDefinition(element).empty()) return;
    ItemFields& item = launchState.launchRecord;
    prepareLaunch(element, item);
    if (item.kind != ItemKind::Ordinary) return;

    std::wstring parameters = generalSettings.FileMgrParm;
    std::wstring target = toLowerCase(item.command) == L"explorer.exe" ? item.directory : item.command;
    // A relative target means what it means to the launch: a path under the data
    // folder, not under the file manager's folder.
    if (!target.empty() && target.front() != L'"' && target.find(L'\\') != std::wstring::npos)
        target = toFullPath(target);
    if (target.size() > 3 && target.back() == L'\\' && namesFolder(target)) target.pop_back();
    const size_t skip = !target.empty() && target.front() == L'"' ? 1 : 0;
    const size_t slash = target.find_last_of(L"\\/");
    const std::wstring folder =
        slash == std::wstring::npos || slash < skip ? std::wstring() : target.substr(skip, slash + 1 - skip);
    if (toLowerCase(generalSettings.FileMgrCom) != L"explorer.exe") {
        target = folder;
    } else if (parameters.empty()) {
        parameters = L" /Select,";
    }
    parameters += quotedPath(target);

    ShellRequest request;
    request.ownerWindowId = launchState.ownerWindowId;
    request.file = generalSettings.FileMgrCom;
    request.parameters = parameters;
    request.directory = folder;
    launchState.services.runShell(request);
}
