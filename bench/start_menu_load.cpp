#include "start_menu_load.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "bench_data.h"
#include "platform/shell_links.h"

namespace {

std::wstring loadGroup() {
    const std::vector<ShortcutFolder> folders = programShortcutFolders();
    return folders.empty() || folders[0].place != ShortcutPlace::StartMenu ? std::wstring()
                                                                           : folders[0].path + L"\\Kivo bench load";
}

void removeTree(const std::wstring& folder) {
    WIN32_FIND_DATAW entry{};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(folder + L"\\" + name);
            else
                DeleteFileW((folder + L"\\" + name).c_str());
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

void addShortcut(const std::wstring& file, const std::wstring& target) {
    ShellLinkInfo link;
    link.path = target;
    createShellLink(link, file);
}

std::string fileBytes(const std::wstring& path) {
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    bytes.resize(GetFileSize(file, nullptr));
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    bytes.resize(read);
    CloseHandle(file);
    return bytes;
}

// The same damage at every run.
struct Noise {
    uint32_t state = 12345;
    char next() {
        state = state * 1103515245u + 12345u;
        return static_cast<char>(state >> 16);
    }
    std::string bytes(size_t count) {
        std::string text(count, '\0');
        for (char& c : text) c = next();
        return text;
    }
};

void put32(std::string& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4 && at + i < bytes.size(); ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

// Shortcuts damaged as a broken installer or disk leaves them: cut short,
// noise, sizes and flags that claim what is not there, and one far too large.
void addDamaged(const std::wstring& group, const std::string& real) {
    std::vector<std::string> damaged;
    for (size_t length : {1, 4, 20, 40, 75, 76, 77, 100, 150})
        damaged.push_back(real.substr(0, std::min(length, real.size())));
    damaged.push_back(real.substr(0, real.size() - 1));
    Noise noise;
    for (size_t size : {64, 300, 1000, 4000, 20000, 60000}) damaged.push_back(noise.bytes(size));
    for (size_t size : {200, 2000}) damaged.push_back(real.substr(0, 20) + noise.bytes(size));
    // The flags word stands at 20, the size of the item list right after the
    // 76-byte header, a link information block's size after that list.
    const uint32_t kFlags[] = {0xFFFFFFFF, 0x00000001, 0x00000002, 0x000000FF, 0x80000083};
    for (uint32_t flags : kFlags) {
        std::string bytes = real;
        put32(bytes, 20, flags);
        damaged.push_back(bytes);
    }
    for (uint32_t size : {0xFFFFu, 0x0001u, 0x7FFFu}) {
        std::string bytes = real;
        bytes[76] = static_cast<char>(size);
        bytes[77] = static_cast<char>(size >> 8);
        damaged.push_back(bytes);
    }
    const size_t afterList = 78 + (static_cast<uint8_t>(real[76]) | static_cast<uint8_t>(real[77]) << 8);
    for (uint32_t size : {0xFFFFFFFFu, 0x10u, 0x7FFFFFFFu}) {
        std::string bytes = real;
        put32(bytes, afterList, size);
        damaged.push_back(bytes);
    }
    damaged.push_back(std::string());
    damaged.push_back(real + noise.bytes(20 * 1000 * 1000));
    for (size_t i = 0; i < damaged.size(); ++i)
        writeWholeFile(group + L"\\Damaged " + std::to_wstring(i + 1) + L".lnk", damaged[i]);
}

}  // namespace

void makeStartMenuLoad(StartMenuLoad load, const std::wstring& apps) {
    removeStartMenuLoad();
    const std::wstring group = loadGroup();
    if (group.empty() || load == StartMenuLoad::None) return;
    CreateDirectoryW(group.c_str(), nullptr);
    CreateDirectoryW(apps.c_str(), nullptr);
    const std::wstring target = apps + L"\\q.exe";
    writeWholeFile(target, "MZ");
    if (load == StartMenuLoad::Large) {
        for (int g = 0; g < 500; ++g) {
            const std::wstring sub = group + L"\\Q" + std::to_wstring(g);
            CreateDirectoryW(sub.c_str(), nullptr);
            for (int i = 0; i < 10; ++i) addShortcut(sub + L"\\Q" + std::to_wstring(g * 10 + i) + L".lnk", target);
        }
        return;
    }
    for (int i = 0; i < 37; ++i) addShortcut(group + L"\\Q" + std::to_wstring(i) + L".lnk", target);
    // Real ones to a drive and a server that are not there.
    addShortcut(group + L"\\Q drive.lnk", L"Q:\\qq\\q.exe");
    addShortcut(group + L"\\Q server.lnk", L"\\\\qqq-absent\\q\\q.exe");
    addDamaged(group, fileBytes(group + L"\\Q0.lnk"));
}

void removeStartMenuLoad() {
    const std::wstring group = loadGroup();
    if (!group.empty()) removeTree(group);
}
