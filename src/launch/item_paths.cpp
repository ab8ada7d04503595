#include "launch/item_paths.h"

#include "launch/internet_shortcut.h"
#include "launch/launch_item.h"
#include "platform/shell_links.h"
#include "platform/text_case.h"
#include "store/text_lines.h"

namespace {

// "https://www.example.com:8080/page" gives "www.example.com"; "mailto:a@b.org?x"
// gives "a@b.org".
std::wstring webAddressText(const std::wstring& address) {
    const size_t colon = address.find(L':');
    size_t start = colon == std::wstring::npos ? 0 : colon + 1;
    while (start < address.size() && address[start] == L'/') ++start;
    const size_t end = address.find_first_of(L"/:?#", start);
    return address.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
}

std::wstring folderPartOf(const std::wstring& path) {
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

}  // namespace

void deriveItemText(ItemFields& item, const std::wstring& path) {
    if (!item.text.empty()) return;
    const std::wstring lower = toLowerCase(path);
    if (lower.starts_with(L"www.")) {
        item.text = path.substr(0, path.find(L'/'));
    } else if (lower.starts_with(L"http") || lower.starts_with(L"mailto:")) {
        item.text = webAddressText(path);
    } else {
        const std::wstring name = filePartOf(path);
        item.text = namesFolder(path) ? name : withoutExtension(name);
    }
}

bool takeCommandPath(ItemFields& item, const std::wstring& path) {
    if (trimSpaces(path).empty()) return false;
    item.command = path;
    std::wstring named = path;
    if (!named.empty() && named.back() == L'\\') named.pop_back();
    deriveItemText(item, named);
    return true;
}

DropTaken takeDroppedFile(ItemFields& item, const std::wstring& path) {
    const std::wstring extension = extensionOf(path);
    std::wstring target = path;
    if (extension == L"url") {
        std::wstring address;
        if (readShortcutAddress(path, address)) {
            item.command = address;
            // Without a caption the item could not be kept: the shortcut's own
            // name is what the user saw when dropping it.
            if (item.text.empty()) item.text = withoutExtension(filePartOf(path));
            return DropTaken::InternetAddress;
        }
    } else if (extension == L"lnk" || extension == L"pif") {
        ShellLinkInfo& link = launchState.shellLink;
        if (resolveShellLink(path, link)) {
            target = link.path;
            item.parameters = link.arguments;
            item.directory = link.workingDirectory;
            if (!item.directory.empty() && item.directory.back() != L'\\') item.directory += L'\\';
            if (sameTextIgnoringCase(item.directory, folderPartOf(target))) item.directory.clear();
        }
    }
    return takeCommandPath(item, target) ? DropTaken::Path : DropTaken::Nothing;
}
