#include "settings/language.h"

#include "platform/files.h"
#include "store/category_file.h"
#include "store/text_encoding.h"
#include "store/text_lines.h"
#include "store/text_values.h"

namespace {

// A "&" marks the letter after it as the control's access key (shown
// underlined); "&&" shows one "&". Texts shown elsewhere lose the mark
// (withoutAccessKey).
const wchar_t* const kDefaultTexts[kLanguageEntryCount] = {
    L"Help",  // 1
    L"Info",  // 2
    L"Minimize",  // 3
    L"Exit Kivo",  // 4
    L"Configuration",  // 5
    L"General Settings",  // 6
    L"Font",  // 7
    L"Background color",  // 8
    L"Window title bar??",  // 9
    L"Semi transparency?",  // 10
    L"Stay on top?",  // 11
    L"Large icons?",  // 12
    L"Cannot open:",  // 13
    L"Enter configuration?",  // 14
    L"Hide/Restore window",  // 15
    L"Cate&gory",  // 16
    L"Category menu (ALT or Space)",  // 17
    L"Last visited category (Backspace)",  // 18
    L"Next category (TAB)",  // 19
    L"New Category",  // 20
    L"Startup",  // 21
    L"Category name required",  // 22
    L"move up",  // 23
    L"move down",  // 24
    L"&New Item",  // 25
    L"S&eparator",  // 26
    L"&Delete",  // 27
    L"&Ok",  // 28
    L"Save and exit",  // 29
    L"&Cancel",  // 30
    L"&Apply",  // 31
    L"&Item text",  // 32
    L"Co&mmand",  // 33
    L"Browse",  // 34
    L"&Parameters (optional)",  // 35
    L"split &window",  // 36
    L"A&s root",  // 37
    L"Di&rectory (optional)",  // 38
    L"normal",  // 39
    L"minimized",  // 40
    L"maximized",  // 41
    L"as administrator",  // 42
    L"Default",  // 43
    L"Icon Selection",  // 44
    L"Multiple Items",  // 45
    L"Copy to temp category",  // 46
    L"Move to temp category",  // 47
    L"Insert from temp category",  // 48
    L"Clear temp category",  // 49
    L"Sort item list",  // 50
    L"About Kivo",  // 51
    L"Program folder",  // 52
    L"Data folder",  // 53
    L"R&un",  // 54
    L"???",  // 55
    L"is drive with &variable letter",  // 56
    L"&Load at Windows startup",  // 57
    L"&hidden",  // 58
    L"&Start with Category:",  // 59
    L"(Last used)",  // 60
    L"Hide title bar (see conte&xt menu; F4)",  // 61
    L"Keep in S&ystem Tray",  // 62
    L"Tool window &mode (Kivo not in Taskbar)",  // 63
    L"Auto&-hide at desktop edge (right click to pop up)",  // 64
    L"Slid&e speed",  // 65
    L"&Auto close after launching",  // 66
    L"&Delay for auto close/hide:",  // 67
    L"milliseconds",  // 68
    L"Hot&key to activate window",  // 69
    L"Si&ngle click launching",  // 70
    L"ALT key for category menu on&/off",  // 71
    L"Single column list &(in small icons mode)",  // 72
    L"Category windows:",  // 73
    L"Keep position of &upper left/right corner",  // 74
    L"Hori&zontally centered on Desktop",  // 75
    L"All windows have..",  // 76
    L"same &width",  // 77
    L"same hei&ght",  // 78
    L"same &font",  // 79
    L"same &background",  // 80
    L"Allow drag&&drop &into launcher window",  // 81
    L"Create directory?:",  // 82
    L"New directory created:",  // 83
    L"Cannot create directory:",  // 84
    L"Running Kivo from write-protected device is not recommended.",  // 85
    L"Continue anyway?",  // 86
    L"Kivo Parameter",  // 87
    L"Warning",  // 88
    L"Error",  // 89
    L"",  // 90
    L"Confirm",  // 91
    L"Delete selected items?",  // 92
    L"Save changes for this category?",  // 93
    L"Quit without saving changes?",  // 94
    L"Cannot write Configuration",  // 95
    L"Find in all categories",  // 96
    L"&The hotkey opens Find",  // 97
    L"Add to category",  // 98
    L"Forget what Find learned",  // 99
    L"Start menu",  // 100
    L"Desktop",  // 101
    L"Find Start menu &programs",  // 102
    L"Find lea&rns your choices",  // 103
    L"Cannot read the folder:",  // 104
    L"Path too long for Windows:",  // 105
    L"No match",  // 106
    L"Find in all categories (Ctrl+F)",  // 107
    L"Category menu (ALT or Space), Find (Ctrl+F)",  // 108
    L"MIT licence",  // 109
    L"O&k",  // 110: the item's Ok in the editor, whose window has an Ok with "&Ok" too
    L"Cance&l",  // 111: the item's Cancel in the same way
};

}  // namespace

LanguageTable languageTable;

void fillDefaultLanguage(LanguageTable& table) {
    table.texts[0].clear();
    for (int n = 1; n <= kLanguageEntryCount; ++n) table.texts[static_cast<size_t>(n)] = kDefaultTexts[n - 1];
}

const std::wstring& languageText(const LanguageTable& table, int entry) {
    static const std::wstring kNone;
    return entry >= 1 && entry <= kLanguageEntryCount ? table.texts[static_cast<size_t>(entry)] : kNone;
}

const std::wstring& languageText(int entry) { return languageText(languageTable, entry); }

std::wstring withoutAccessKey(const std::wstring& text) {
    std::wstring plain;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && ++i == text.size()) break;
        plain += text[i];
    }
    return plain;
}

wchar_t accessKey(const std::wstring& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != L'&') continue;
        if (text[i + 1] != L'&') return text[i + 1];
        ++i;
    }
    return 0;
}

const std::wstring& builtInText(int entry) {
    static const LanguageTable builtIn = [] {
        LanguageTable table;
        fillDefaultLanguage(table);
        return table;
    }();
    return languageText(builtIn, entry);
}

void applyLanguageText(LanguageTable& table, const std::wstring& text) {
    std::vector<std::wstring_view> lines = splitTextLines(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        std::wstring_view line = lines[i];
        if (line.empty() || line[0] == L';') continue;
        size_t eq = line.find(L'=');
        std::wstring_view numberPart = line.substr(0, eq);
        std::wstring_view textPart;
        if (eq != std::wstring_view::npos) {
            textPart = line.substr(eq + 1);
            textPart = textPart.substr(0, textPart.find(L'='));
        }
        int entry = parseIntText(trimSpaces(numberPart));
        std::wstring_view newText = textPart;
        if (entry == 0) {
            if (!textPart.empty()) continue;
            // A plain line: numbered by its line in the file.
            entry = static_cast<int>(i + 1);
            newText = numberPart;
        }
        if (entry >= 1 && entry <= kLanguageEntryCount && !newText.empty())
            table.texts[static_cast<size_t>(entry)] = newText;
    }
}

bool loadLanguageFile(LanguageTable& table, const std::wstring& path) {
    std::string bytes;
    if (!readWholeFile(path, bytes)) return false;
    applyLanguageText(table, decodeText(bytes).text);
    return true;
}

namespace {

// A language is a file of the Languages folder: a name that reaches elsewhere
// ("..\\x", "C:\\x") or names a device is none.
bool isPlainFileName(const std::wstring& name) { return name.empty() || (isFileNameText(name) && !isDeviceName(name)); }

}  // namespace

std::wstring loadLanguage(LanguageTable& table, const std::wstring& programFolder, const std::wstring& language,
                          const std::wstring& nativeLanguage) {
    table.name.clear();
    // What the settings name is kept to exactly: a name that is no file name
    // gives the built-in texts, not another language.
    if (!isPlainFileName(language)) return std::wstring();
    for (const std::wstring& name : {language, nativeLanguage}) {
        if (name.empty() || !isPlainFileName(name)) continue;
        std::wstring file = programFolder + L"Languages\\" + name.substr(0, kMaxLanguageNameChars) + L".lng";
        if (loadLanguageFile(table, file)) {
            table.name = name.substr(0, kMaxLanguageNameChars);
            return name;
        }
    }
    table.name.clear();
    return std::wstring();
}
