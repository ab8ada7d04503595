// An internet shortcut: its address is found the same way every time, and a
// shortcut that holds only that address gives it back unchanged.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "launch/internet_shortcut.h"
#include "platform_standin.h"
#include "store/text_encoding.h"

namespace {

const std::wstring kFile = L"C:\\Data\\Example Site.url";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    resetStandin();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    putStandinFile(kFile, bytes);
    std::wstring address;
    const bool found = readShortcutAddress(kFile, address);
    std::wstring again;
    requireThat(shortcutAddressOf(bytes, again) == found && again == address, "reading is deterministic");
    if (!found) return 0;
    requireThat(address.find_first_of(L"\r\n") == std::wstring::npos, "an address is one line");

    // UTF-16 holds every address, a lone surrogate as well.
    const std::wstring plain = L"[InternetShortcut]\r\nURL=" + address + L"\r\n";
    std::wstring back;
    requireThat(shortcutAddressOf(encodeText(plain, TextFormat::Utf16Le, true), back) && back == address,
                "a shortcut holding only the address gives it back");
    return 0;
}
