#include "app/status_report.h"

#include "settings/language.h"
#include "store/item_definition.h"

std::wstring statusReport(const ProgramFolders& folders, const GeneralSettings& general,
                          const CategoryNavigation& nav, const CategoryStore& store, const std::wstring& languageFile) {
    std::wstring text;
    if (store.loadedCategory.empty()) {
        text = languageText(20) + L": no category yet.";
    } else {
        text = languageText(16) + L" \"" + store.loadedCategory + L"\":";
        for (const CategoryItem& item : store.items) {
            if (item.text.empty()) continue;
            bool separator = item.text == L"-" && splitDefinition(item.definition).command.empty();
            text += L"\n    " + (separator ? general.Separator : item.text + L" = " + item.definition);
        }
    }
    text += L"\n\nCategories:";
    for (const std::wstring& name : nav.categoryList) text += L" [" + name + L"]";
    if (!nav.startupCategory.empty()) text += L"\n" + languageText(21) + L": " + nav.startupCategory;
    text += L"\n\n" + languageText(53) + L": " + folders.dataFolder;
    text += L"\n" + languageText(52) + L": " + folders.programFolder;
    text += L"\nLanguage: " + (languageFile.empty() ? std::wstring(L"English (built in)") : languageFile);
    text += L"\nVariable drive letter: " + std::wstring(general.VarDrive ? L"on" : L"off");
    text += L"\nSettings: " + std::wstring(folders.settingsReadOnly ? L"read-only" : L"written at exit");
    text += L"\n\nThe launcher window is still being built.";
    return text;
}
