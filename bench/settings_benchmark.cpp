#include "settings_benchmark.h"

#include <windows.h>

#include <cmath>
#include <cwchar>

#include "bench_data.h"
#include "paint_wait.h"
#include "settings/ini_document.h"

namespace {

constexpr int kGroups = 64;
constexpr int kLines = 1000;  // the comment, the group lines and the keys
constexpr DWORD kListSize = 256 * 1024;
constexpr DWORD kValueSize = 1024;

// Keys as a category's group holds them; more than any group needs.
const wchar_t* const kKeyNames[] = {L"LargeIcons", L"WinX",    L"WinY",     L"Width",       L"Height",
                                    L"BGcolor",    L"Font",    L"TextColor", L"IconSpacing", L"Columns",
                                    L"SortOrder",  L"Hotkey",  L"Alpha",    L"Language",    L"Comment"};

std::wstring groupName(int g) {
    if (g == 0) return L"Start";
    if (g == 1) return L"main";
    return L"Category " + std::to_wstring(g - 1);
}

std::wstring valueFor(int group, int key, int round) {
    return L"C:\\Programs\\Tool " + std::to_wstring(group) + L"\\tool" + std::to_wstring(key) + L".exe,round " +
           std::to_wstring(round);
}

std::wstring settingsText() {
    const int keys = kLines - 1 - kGroups;
    std::wstring text = L"; Kivo's settings, made up for the benchmark.\r\n";
    for (int g = 0; g < kGroups; ++g) {
        text += L"\r\n[" + groupName(g) + L"]\r\n";
        const int inGroup = keys / kGroups + (g < keys % kGroups ? 1 : 0);
        for (int k = 0; k < inGroup; ++k) text += std::wstring(kKeyNames[k]) + L"=" + valueFor(g, k, 0) + L"\r\n";
    }
    return text;
}

struct ProfileKey {
    std::wstring group;
    std::wstring key;
};

// Every group and key through the profile functions; `valueChars` sums the values read.
std::vector<ProfileKey> readEveryProfileKey(const std::wstring& path, size_t& valueChars) {
    std::vector<ProfileKey> keys;
    std::vector<wchar_t> names(kListSize);
    std::vector<wchar_t> groupKeys(kListSize);
    wchar_t value[kValueSize];
    GetPrivateProfileSectionNamesW(names.data(), kListSize, path.c_str());
    for (const wchar_t* group = names.data(); *group; group += wcslen(group) + 1) {
        GetPrivateProfileStringW(group, nullptr, L"", groupKeys.data(), kListSize, path.c_str());
        for (const wchar_t* key = groupKeys.data(); *key; key += wcslen(key) + 1) {
            valueChars += GetPrivateProfileStringW(group, key, L"", value, kValueSize, path.c_str());
            keys.push_back(ProfileKey{group, key});
        }
    }
    return keys;
}

// The system keeps a parsed copy of a profile file between calls (Wine does,
// checking the file's time); a run that should read the file drops it first.
void dropCachedProfile(const std::wstring& path) { WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str()); }

bool isKey(const IniEntry& entry) { return !entry.key.empty() && entry.key[0] != L';'; }

volatile size_t resultSink;

}  // namespace

SettingsFiles makeSettingsFiles(const std::wstring& workFolder) {
    SettingsFiles files;
    const std::wstring kivoFolder = workFolder + L"\\settings-kivo";
    const std::wstring bareFolder = workFolder + L"\\settings-bare";
    CreateDirectoryW(kivoFolder.c_str(), nullptr);
    CreateDirectoryW(bareFolder.c_str(), nullptr);
    files.kivoFile = kivoFolder + L"\\Kivo.ini";
    files.bareFile = bareFolder + L"\\Kivo.ini";
    const std::string bytes = "\xEF\xBB\xBF" + toUtf8(settingsText());
    writeWholeFile(files.kivoFile, bytes);
    writeWholeFile(files.bareFile, bytes);
    return files;
}

double kivoSettingsLoad(const std::wstring& path) {
    const double start = counterMs();
    IniDocument doc;
    doc.path = path;
    if (!load(doc)) return NAN;
    size_t valueChars = 0;
    int group = -1;
    for (const IniEntry& entry : doc.entries) {
        if (!isKey(entry)) continue;
        if (entry.group != group) selectGroup(doc, doc.groupNames[static_cast<size_t>(group = entry.group)]);
        valueChars += readString(doc, entry.key, L"").size();
    }
    const double elapsed = counterMs() - start;
    resultSink = valueChars;
    return elapsed;
}

double bareSettingsLoad(const std::wstring& path) {
    dropCachedProfile(path);
    const double start = counterMs();
    size_t valueChars = 0;
    const size_t keys = readEveryProfileKey(path, valueChars).size();
    const double elapsed = counterMs() - start;
    resultSink = valueChars;
    return keys == 0 ? NAN : elapsed;
}

double kivoSettingsSave(const std::wstring& path, int round) {
    IniDocument doc;
    doc.path = path;
    if (!load(doc)) return NAN;
    const double start = counterMs();
    int group = -1;
    int key = 0;
    for (const IniEntry& entry : doc.entries) {
        if (!isKey(entry)) continue;
        if (entry.group != group) {
            selectGroup(doc, doc.groupNames[static_cast<size_t>(group = entry.group)]);
            key = 0;
        }
        writeString(doc, entry.key, valueFor(group - 1, key++, round));
    }
    const bool saved = save(doc);
    const double elapsed = counterMs() - start;
    return saved ? elapsed : NAN;
}

double bareSettingsSave(const std::wstring& path, int round) {
    // Like Kivo's document, the file is read before the clock starts.
    dropCachedProfile(path);
    size_t valueChars = 0;
    const std::vector<ProfileKey> keys = readEveryProfileKey(path, valueChars);
    const double start = counterMs();
    bool saved = !keys.empty();
    int g = -1;
    int key = 0;
    const std::wstring* group = nullptr;
    for (const ProfileKey& k : keys) {
        if (!group || *group != k.group) {
            group = &k.group;
            ++g;
            key = 0;
        }
        saved = WritePrivateProfileStringW(k.group.c_str(), k.key.c_str(), valueFor(g, key++, round).c_str(),
                                           path.c_str()) &&
                saved;
    }
    const double elapsed = counterMs() - start;
    return saved ? elapsed : NAN;
}
