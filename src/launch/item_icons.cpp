#include "launch/item_icons.h"

#include "launch/launch_item.h"
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

// Null for a missing, empty or folder file.
void* extractFromFile(const std::wstring& file, int index, int pixels) {
    uint64_t length = 0;
    if (!fileSize(file, length) || length == 0) return nullptr;
    return extractFileIcon(file, index, pixels);
}

}  // namespace

IconPlan planItemIcon(const ItemFields& fields) {
    IconPlan plan;
    if (!fields.iconSource.empty()) {
        const IconSource parts = splitIconSource(fields.iconSource);
        plan.sourceFile = toFullPath(parts.file);
        plan.sourceIndex = parts.index;
    }
    if (expandVariables(fields.command).empty()) {
        plan.defaultIcon = true;
        return plan;
    }
    plan.shellPath = toFullPath(iconPathOf(fields));
    // The shell shows a program's first icon, and one without icons as any
    // program: taken from the file itself, the icon costs a tenth of what the
    // shell takes to find it, and the shell is asked only when there is none.
    if (plan.sourceFile.empty() && extensionOf(plan.shellPath) == L"exe") plan.sourceFile = plan.shellPath;
    return plan;
}

void* extractIconFromSource(const std::wstring& source, int pixels) {
    if (source.empty()) return nullptr;
    const IconSource parts = splitIconSource(source);
    return extractFromFile(toFullPath(parts.file), parts.index, pixels);
}

void fetchItemIcon(ItemFields& fields, IconSize size, int pixels) {
    const IconPlan plan = planItemIcon(fields);
    void*& slot = slotOf(fields, size);
    slot = plan.sourceFile.empty() ? nullptr : extractFromFile(plan.sourceFile, plan.sourceIndex, pixels);
    if (slot != nullptr) return;
    slot = plan.defaultIcon ? defaultApplicationIcon(pixels) : shellIconOf(plan.shellPath, pixels);
}

void releaseItemIcons(ItemFields& fields) {
    for (void** icon : {&fields.largeIcon, &fields.smallIcon}) {
        if (*icon != nullptr) destroyIcon(*icon);
        *icon = nullptr;
    }
}
