// Program start: reads the settings and the start category of the data folder
// (the current directory), reports what it found, and writes the settings back.
// The launcher window takes the place of the report once it exists.
#include <string>

#include "platform/environment.h"
#include "platform/message_box.h"
#include "platform/process.h"
#include "settings/general_settings.h"
#include "settings/ini_document.h"
#include "store/category_file.h"

namespace {

IniDocument settingsDocument;
GeneralSettings generalSettings;

std::wstring describeCategory(const std::wstring& name, bool loaded) {
    if (name.empty()) return L"No start category is set.";
    if (!loaded) return L"The category \"" + name + L"\" could not be read.";
    std::wstring text = L"Category \"" + name + L"\":";
    for (const CategoryItem& item : categoryStore.items)
        if (!item.text.empty()) text += L"\n    " + item.text;
    return text;
}

}  // namespace

int kivoMain(const std::wstring& /*commandLine*/) {
    const std::wstring dataFolder = currentDirectory();
    settingsDocument.path = dataFolder + L"Kivo.ini";
    load(settingsDocument);
    readGeneralSettings(settingsDocument, generalSettings, true, userLanguageEnglishName());

    const std::wstring category = generalSettings.CatSelect.empty() ? generalSettings.MRU : generalSettings.CatSelect;
    const bool loaded = !category.empty() && loadCategoryFile(categoryStore, dataFolder + category + L".kvl");
    showInformation(describeCategory(category, loaded) + L"\n\nData folder: " + dataFolder +
                        L"\n\nThe launcher window is still being built.",
                    generalSettings.ProgTitle);

    writeGeneralSettings(settingsDocument, generalSettings, loaded ? category : generalSettings.MRU);
    save(settingsDocument);
    return 0;
}
