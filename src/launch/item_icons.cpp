#include "launch/item_icons.h"

#include "platform/files.h"
#include "platform/icon_handle.h"
#include "platform/text_case.h"
#include "settings/data_folder.h"
#include "settings/general_settings.h"
#include "store/item_definition.h"

namespace {

void*& slotOf(ItemFields& fields, IconSize size) {
    return size == IconSize::Large ? fields.largeIcon : fields.smallIcon;
}

// Where the shell is asked for the icon of an item without a usable icon source.
std::wstring iconPathOf(const ItemFields& fields) {
    switch (itemKindOf(fields.command)) {
        case ItemKind::WebAddress: return generalSettings.WebIcon;
        case ItemKind::CategorySwitch:
        case ItemKind::FileMenu: return programFolders.programPath;
        case ItemKind::Ordinary: break;
    }
    const std::wstring path = expandVariables(fields.command);
    if (toLowerCase(path).find(L"explorer.exe") != std::wstring::npos) return expandVariables(fields.directory);
    return path;
}

}  // namespace

void* extractIconFromSource(const std::wstring& source, IconSize size) {
    if (source.empty()) return nullptr;
    const IconSource parts = splitIconSource(source);
    const std::wstring file = toFullPath(parts.file);
    uint64_t length = 0;
    if (!fileSize(file, length) || length == 0) return nullptr;
    return extractFileIcon(file, parts.index, size);
}

void fetchItemIcon(ItemFields& fields, IconSize size) {
    void*& slot = slotOf(fields, size);
    slot = extractIconFromSource(fields.iconSource, size);
    if (slot != nullptr) return;
    if (expandVariables(fields.command).empty()) {
        slot = defaultApplicationIcon();
        return;
    }
    slot = shellIconOf(toFullPath(iconPathOf(fields)), size);
}

void releaseItemIcons(ItemFields& fields) {
    for (void** icon : {&fields.largeIcon, &fields.smallIcon}) {
        if (*icon != nullptr) destroyIcon(*icon);
        *icon = nullptr;
    }
}
