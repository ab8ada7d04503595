#pragma once
// Internet shortcuts (".url" files): the address they point to.
#include <string>
#include <string_view>

// The "URL=" line of a shortcut's content, in any of the text formats; false when
// there is none.
bool shortcutAddressOf(std::string_view bytes, std::wstring& address);

// The same of the file; false as well when it cannot be read.
bool readShortcutAddress(const std::wstring& path, std::wstring& address);
