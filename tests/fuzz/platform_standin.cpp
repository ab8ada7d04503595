#include "platform_standin.h"

#include <cstdint>
#include <map>
#include <set>
#include <string_view>

#include "platform/drives.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/fonts.h"
#include "platform/process.h"
#include "platform/text_case.h"
#include "platform/text_codec.h"
#include "platform/ui_controls.h"

namespace {

struct Machine {
    std::map<std::wstring, std::string> files;  // by pathKey
    std::set<std::wstring> folders;             // by pathKey
    std::map<std::wstring, std::wstring> environment;  // by upper-case name
    std::wstring currentDirectory;              // with a trailing "\"
    int writes = 0;
};

Machine machine;

// Windows-1252 bytes 0x80 to 0x9F; the five that the code page leaves open map
// to the C1 control of the same number, as MultiByteToWideChar does.
constexpr wchar_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

wchar_t cp1252ToWide(unsigned char b) { return b >= 0x80 && b <= 0x9F ? kCp1252High[b - 0x80] : b; }

bool wideToCp1252(wchar_t c, char& b) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        b = static_cast<char>(c);
        return true;
    }
    for (int i = 0; i < 32; ++i) {
        if (kCp1252High[i] == c) {
            b = static_cast<char>(0x80 + i);
            return true;
        }
    }
    b = '?';
    return false;
}

// The simple upper-case mapping of the scripts a data folder is likely to hold:
// Basic Latin, Latin-1, Latin Extended-A, basic Greek and Cyrillic.
wchar_t upperUnit(wchar_t c) {
    if (c >= L'a' && c <= L'z') return static_cast<wchar_t>(c - 32);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<wchar_t>(c - 32);
    if (c == 0xFF) return 0x178;
    if (c >= 0x100 && c <= 0x137) return static_cast<wchar_t>(c & ~1);
    if (c >= 0x139 && c <= 0x148) return (c & 1) ? c : static_cast<wchar_t>(c - 1);
    if (c >= 0x14A && c <= 0x177) return static_cast<wchar_t>(c & ~1);
    if (c >= 0x179 && c <= 0x17E) return (c & 1) ? c : static_cast<wchar_t>(c - 1);
    if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return static_cast<wchar_t>(c - 32);
    if (c >= 0x430 && c <= 0x44F) return static_cast<wchar_t>(c - 32);
    if (c >= 0x450 && c <= 0x45F) return static_cast<wchar_t>(c - 80);
    return c;
}

wchar_t lowerUnit(wchar_t c) {
    if (c >= L'A' && c <= L'Z') return static_cast<wchar_t>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<wchar_t>(c + 32);
    if (c == 0x178) return 0xFF;
    if (c >= 0x100 && c <= 0x137) return static_cast<wchar_t>(c | 1);
    if (c >= 0x139 && c <= 0x148) return (c & 1) ? static_cast<wchar_t>(c + 1) : c;
    if (c >= 0x14A && c <= 0x177) return static_cast<wchar_t>(c | 1);
    if (c >= 0x179 && c <= 0x17E) return (c & 1) ? static_cast<wchar_t>(c + 1) : c;
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return static_cast<wchar_t>(c + 32);
    if (c >= 0x410 && c <= 0x42F) return static_cast<wchar_t>(c + 32);
    if (c >= 0x400 && c <= 0x40F) return static_cast<wchar_t>(c + 80);
    return c;
}

bool isDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

// "C:\a\b" and "c:/A/B/" are one file or folder.
std::wstring pathKey(const std::wstring& path) {
    std::wstring key = toUpperCase(path);
    for (wchar_t& c : key)
        if (c == L'/') c = L'\\';
    while (key.size() > 3 && key.back() == L'\\') key.pop_back();
    return key;
}

// Empty for a drive's root.
std::wstring parentOf(const std::wstring& key) {
    if (key.size() <= 3) return std::wstring();
    const size_t slash = key.rfind(L'\\');
    if (slash == std::wstring::npos || slash < 2) return std::wstring();
    return key.substr(0, slash == 2 ? 3 : slash);
}

// Names that no Windows file system takes.
bool isValidFolderPath(const std::wstring& path) {
    for (size_t i = 0; i < path.size(); ++i) {
        const wchar_t c = path[i];
        if (c < 32 || std::wstring_view(L"<>\"|?*").find(c) != std::wstring_view::npos) return false;
        if (c == L':' && i != 1) return false;
    }
    return path.size() >= 3 && isDriveLetter(path[0]) && path[1] == L':' && path[2] == L'\\';
}

}  // namespace

void resetStandin() {
    machine = Machine();
    machine.folders.insert(L"C:\\");
    addStandinFolder(L"C:\\Kivo");
    addStandinFolder(L"C:\\Kivo\\Languages");
    addStandinFolder(L"C:\\Data");
    addStandinFolder(L"C:\\Windows");
    machine.currentDirectory = L"C:\\Data\\";
    machine.environment[L"WINDIR"] = L"C:\\Windows";
    machine.environment[L"HOMEDRIVE"] = L"C:";
    machine.environment[L"USERPROFILE"] = L"C:\\Users\\kivo";
    machine.environment[L"APPDATA"] = L"C:\\Users\\kivo\\AppData\\Roaming";
    machine.environment[L"TEMP"] = L"C:\\Users\\kivo\\Temp";
}

void putStandinFile(const std::wstring& path, const std::string& bytes) { machine.files[pathKey(path)] = bytes; }

bool standinFile(const std::wstring& path, std::string& bytes) {
    auto found = machine.files.find(pathKey(path));
    if (found == machine.files.end()) return false;
    bytes = found->second;
    return true;
}

void addStandinFolder(const std::wstring& folder) {
    for (std::wstring key = pathKey(folder); !key.empty(); key = parentOf(key)) machine.folders.insert(key);
}

int standinWrites() { return machine.writes; }

// Code page conversion.

std::wstring ansiToWide(std::string_view bytes) {
    std::wstring text(bytes.size(), L'\0');
    for (size_t i = 0; i < bytes.size(); ++i) text[i] = cp1252ToWide(static_cast<unsigned char>(bytes[i]));
    return text;
}

bool wideToAnsi(std::wstring_view text, std::string& bytes) {
    bytes.assign(text.size(), '\0');
    bool exact = true;
    for (size_t i = 0; i < text.size(); ++i) exact = wideToCp1252(text[i], bytes[i]) && exact;
    return exact;
}

bool ansiRoundTrips(std::wstring_view text, std::string_view bytes) {
    std::string back;
    return wideToAnsi(text, back) && back == bytes;
}

// Letter case.

bool sameTextIgnoringCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (upperUnit(a[i]) != upperUnit(b[i])) return false;
    return true;
}

int compareTextIgnoringCase(const std::wstring& a, const std::wstring& b) {
    const int result = toUpperCase(a).compare(toUpperCase(b));
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

std::wstring toLowerCase(std::wstring_view text) {
    std::wstring lower(text);
    for (wchar_t& c : lower) c = lowerUnit(c);
    return lower;
}

// Lower case, and the sharp s spelt out: a folded text may be longer.
std::wstring foldedForSearch(std::wstring_view text) {
    std::wstring folded;
    for (wchar_t c : text) folded += c == L'\u00DF' ? std::wstring(L"ss") : std::wstring(1, lowerUnit(c));
    return folded;
}

std::wstring toUpperCase(std::wstring_view text) {
    std::wstring upper(text);
    for (wchar_t& c : upper) c = upperUnit(c);
    return upper;
}

// Environment.

bool readEnvironmentVariable(const std::wstring& name, std::wstring& value) {
    value.clear();
    auto found = machine.environment.find(toUpperCase(name));
    if (found == machine.environment.end()) return false;
    value = found->second;
    return true;
}

bool setEnvironmentVariable(const std::wstring& name, const std::wstring& value) {
    if (name.empty() || name.find(L'=') != std::wstring::npos) return false;
    machine.environment[toUpperCase(name)] = value;
    return true;
}

bool isWindowsFolder(const std::wstring& folder) { return pathKey(folder) == pathKey(L"C:\\Windows\\"); }

// As ExpandEnvironmentStringsW, or with unknown references dropped.
std::wstring expandEnvironment(const std::wstring& text, UnknownVariables unknown) {
    std::wstring result;
    size_t i = 0;
    while (i < text.size()) {
        const size_t open = text.find(L'%', i);
        const size_t close = open == std::wstring::npos ? std::wstring::npos : text.find(L'%', open + 1);
        if (close == std::wstring::npos) {
            result += text.substr(i);
            break;
        }
        result += text.substr(i, open - i);
        std::wstring value;
        if (close > open + 1 && readEnvironmentVariable(text.substr(open + 1, close - open - 1), value)) {
            result += value;
        } else if (unknown == UnknownVariables::Keep) {
            result += text.substr(open, close - open);
            // The closing sign may open the next reference.
            i = close;
            if (close + 1 == text.size()) {
                result += L'%';
                break;
            }
            continue;
        }
        i = close + 1;
    }
    return result;
}

std::wstring userLanguageEnglishName() { return L"English"; }
std::wstring userLanguageNativeName() { return L"English"; }

// Files and folders.

bool readWholeFile(const std::wstring& path, std::string& bytes) {
    bytes.clear();
    return standinFile(path, bytes);
}

FilePages::~FilePages() { delete[] data; }

bool readFilePages(const std::wstring& path, FilePages& pages) {
    delete[] pages.data;
    pages.data = nullptr;
    pages.size = 0;
    std::string bytes;
    if (!standinFile(path, bytes)) return false;
    pages.data = new char[bytes.size() + 1];
    bytes.copy(pages.data, bytes.size());
    pages.size = bytes.size();
    return true;
}

bool replaceFileContent(const std::wstring& path, const std::string& bytes) {
    const std::wstring key = pathKey(fullPathName(path));
    if (machine.folders.count(key) != 0 || machine.folders.count(parentOf(key)) == 0) return false;
    machine.files[key] = bytes;
    ++machine.writes;
    return true;
}

uint32_t fileAttributes(const std::wstring& path) {
    const std::wstring key = pathKey(path);
    if (machine.folders.count(key) != 0) return kFileAttributeDirectory;
    return machine.files.count(key) != 0 ? 0x20u : kNoFileAttributes;
}

bool fileExists(const std::wstring& path) { return machine.files.count(pathKey(path)) != 0; }
bool fileSize(const std::wstring& path, uint64_t& size) {
    const auto found = machine.files.find(pathKey(path));
    size = found == machine.files.end() ? 0 : found->second.size();
    return found != machine.files.end();
}
bool deleteFile(const std::wstring& path) { return machine.files.erase(pathKey(path)) != 0; }
uint64_t clockSeconds() { return 13441246949; }
bool folderExists(const std::wstring& path) { return machine.folders.count(pathKey(path)) != 0; }

bool createFolderPath(const std::wstring& folder) {
    const std::wstring full = fullPathName(folder);
    if (!isValidFolderPath(full) || machine.files.count(pathKey(full)) != 0) return false;
    addStandinFolder(full);
    return true;
}

// GetFullPathNameW's rules for drive paths: relative names against the current
// directory, "." and ".." resolved, "/" taken as "\".
std::wstring fullPathName(const std::wstring& path) {
    std::wstring p = path;
    for (wchar_t& c : p)
        if (c == L'/') c = L'\\';
    if (p.empty()) return path;
    std::wstring root;
    std::wstring rest;
    const std::wstring& current = machine.currentDirectory;
    if (p.size() >= 2 && p[0] == L'\\' && p[1] == L'\\') {
        return p;  // a share: left as it is
    } else if (p.size() >= 2 && isDriveLetter(p[0]) && p[1] == L':') {
        root = toUpperCase(p.substr(0, 1)) + L":\\";
        if (p.size() >= 3 && p[2] == L'\\') {
            rest = p.substr(3);
        } else {
            const bool sameDrive = !current.empty() && upperUnit(current[0]) == upperUnit(p[0]);
            rest = (sameDrive ? current.substr(3) : std::wstring()) + p.substr(2);
        }
    } else if (p[0] == L'\\') {
        root = current.substr(0, 3);
        rest = p.substr(1);
    } else {
        root = current.substr(0, 3);
        rest = current.substr(3) + p;
    }
    std::wstring result = root;
    size_t start = 0;
    while (start <= rest.size()) {
        size_t end = rest.find(L'\\', start);
        if (end == std::wstring::npos) end = rest.size();
        const std::wstring part = rest.substr(start, end - start);
        if (part == L"..") {
            if (result.size() > root.size()) {
                result.pop_back();
                result.erase(result.rfind(L'\\') + 1);
            }
        } else if (!part.empty() && part != L".") {
            result += part;
            if (end < rest.size()) result += L'\\';
        } else if (end == rest.size() && result.size() > root.size() && result.back() != L'\\') {
            result += L'\\';
        }
        start = end + 1;
    }
    return result;
}

// The process.

std::wstring programFilePath() { return L"C:\\Kivo\\kivo.exe"; }
std::wstring currentDirectory() { return machine.currentDirectory; }

bool setCurrentDirectory(const std::wstring& folder) {
    const std::wstring full = fullPathName(folder);
    if (!folderExists(full)) return false;
    machine.currentDirectory = full.back() == L'\\' ? full : full + L'\\';
    return true;
}

uint32_t currentProcessId() { return 4242; }
bool processRunning(uint32_t processId) { return processId == 4242; }

// Drives.

unsigned driveType(const std::wstring&) { return kDriveFixed; }
bool volumeIsReadOnly(const std::wstring&) { return false; }

// Windows: nothing is shown.

void deleteFont(void*) {}
FontHandle createPointFont(const std::wstring&, int, int) { return FontHandle(); }
bool setControlEnabled(int, int, bool) { return true; }
