// An item's fields joined into a definition and taken apart again come back as
// they were, whatever text they hold. The input is UTF-16LE: command,
// parameters, folder, show mode (a number) and icon source, one a line, since a
// definition is one line of its file and no field holds a line break.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "launch/item_fields.h"
#include "platform_standin.h"
#include "store/text_values.h"

namespace {

std::wstring nextLine(const std::wstring& text, size_t& at) {
    const size_t end = std::min(text.find(L'\n', at), text.size());
    std::wstring line = at < text.size() ? text.substr(at, end - at) : std::wstring();
    at = end + 1;
    return line;
}

// The one thing the stored form cannot tell apart: a U+007F of the text reads
// back as the ";" it stands for.
std::wstring asReadBack(std::wstring text) {
    std::replace(text.begin(), text.end(), kFieldSemicolon, L';');
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    resetStandin();
    std::wstring text;
    for (size_t i = 0; i + 1 < size; i += 2) text += static_cast<wchar_t>(data[i] | data[i + 1] << 8);
    size_t at = 0;
    ItemFields fields;
    fields.text = L"Item";
    fields.command = nextLine(text, at);
    fields.parameters = nextLine(text, at);
    fields.directory = nextLine(text, at);
    fields.showMode = parseIntText(nextLine(text, at));
    fields.iconSource = nextLine(text, at);

    CategoryItem element;
    joinDefinition(fields, false, std::wstring(), element);
    const std::wstring_view definition = itemDefinition(element);
    requireThat(std::count(definition.begin(), definition.end(), L';') <= 4,
                "a definition holds at most four separators");
    ItemFields back;
    parseItem(element, back);
    requireThat(back.command == asReadBack(fields.command), "the command comes back");
    requireThat(back.parameters == asReadBack(fields.parameters), "the parameters come back");
    requireThat(back.directory == asReadBack(fields.directory), "the folder comes back");
    const bool known = fields.showMode >= kShowModeNormal && fields.showMode <= kShowModeAdmin;
    requireThat(back.showMode == (known ? fields.showMode : kShowModeNormal), "the show mode comes back");
    requireThat(back.iconSource == asReadBack(fields.iconSource), "the icon source comes back");
    requireThat(back.text == fields.text && back.kind == itemKindOf(back.command), "the caption and kind follow");

    CategoryItem again;
    joinDefinition(back, false, std::wstring(), again);
    requireThat(itemDefinition(again) == itemDefinition(element), "the fields read back join into the same definition");
    return 0;
}
