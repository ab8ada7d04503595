#pragma once
// The category store: the items of the current category and what belongs to
// showing it (window geometry, font and colours).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fonts.h"
#include "store/text_encoding.h"

// One line of a category: its caption ("-" with an empty command is a
// separator) and its definition (see item_definition.h). Both share one block
// of text: a long category holds many items, and the heap keeps one block for
// about half the cost of two.
struct CategoryItem {
    std::wstring line;        // the caption, then the definition
    uint32_t textLength = 0;  // the caption's
    // 1 + the place of the line's bytes in the list's KeptItemBytes, 0 for none;
    // it takes room the item had anyway.
    uint32_t keptBytes = 0;
};

// The bytes of a line that does not decode exactly (Latin-1 in a UTF-8 file, a
// UTF-32 unit that is no code point), its caption's and its definition's, as
// the file held them: a save writes back what still reads as the item's text.
struct KeptItemBytes {
    std::string caption;
    std::string definition;
};

inline std::wstring_view itemText(const CategoryItem& item) {
    return std::wstring_view(item.line).substr(0, item.textLength);
}
inline std::wstring_view itemDefinition(const CategoryItem& item) {
    return std::wstring_view(item.line).substr(item.textLength);
}
CategoryItem categoryItem(std::wstring_view text, std::wstring_view definition);
void setItemText(CategoryItem& item, std::wstring_view text);
void setItemDefinition(CategoryItem& item, std::wstring_view definition);

using CategoryItems = std::vector<CategoryItem>;

// The launcher window's outer position, inner size and icon size; the launcher
// window keeps it current whenever it is moved or resized.
struct LauncherGeometry {
    int x = 200;
    int y = 200;
    int width = 350;
    int height = 250;
    int largeIcons = 1;
    bool operator==(const LauncherGeometry&) const = default;
};

// Font and colours of the item list of the category shown.
struct CategoryStyle {
    std::wstring fontText;  // face, points, style flags, colour
    std::wstring faceName;
    int pointSize = 0;
    int styleFlags = 0;
    uint32_t textColor = 0;
    FontHandle font;
    uint32_t backgroundColor = 0xFFFFFF;
    std::wstring lastAppliedFontText;  // what `font` was made from
};

struct CategoryStore {
    CategoryItems items;
    int selectedItem = -1;  // position of the current item, -1 for none
    // Every category file is written in the format and with the byte-order-mark
    // choice of the category file read most recently.
    TextFormat fileFormat = TextFormat::Utf8;
    bool fileHasBom = true;
    std::vector<KeptItemBytes> keptBytes;  // of the items read

    std::wstring loadedCategory;    // whose items are in `items`
    std::wstring appliedCategory;   // whose window settings are in force
    std::wstring categoryFilePath;  // full path of the file loaded last
    // Items were added that could not be written: the editor starts from
    // them, not from the file.
    bool unsavedItems = false;
    bool firstApplication = true;
    LauncherGeometry geometry;
    CategoryStyle style;
};

// The one store of the running program, shared by the launcher window, the
// launch and the configuration editor.
extern CategoryStore categoryStore;
