#include "launch/internet_shortcut.h"

#include "platform/files.h"
#include "store/text_encoding.h"
#include "store/text_lines.h"

bool shortcutAddressOf(std::string_view bytes, std::wstring& address) {
    const DecodedText decoded = decodeText(bytes);
    for (std::wstring_view line : splitTextLines(decoded.text)) {
        line = trimSpaces(line);
        if (line.substr(0, 4) == L"URL=") {
            address = line.substr(4);
            return true;
        }
    }
    return false;
}

bool readShortcutAddress(const std::wstring& path, std::wstring& address) {
    std::string bytes;
    if (!readWholeFile(path, bytes)) return false;
    return shortcutAddressOf(bytes, address);
}
