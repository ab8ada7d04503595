#include "bench_data.h"

#include <windows.h>

#include <vector>

namespace {

// Programs a Wine prefix and Windows both have; those missing on this system are left out.
const wchar_t* const kSystemPrograms[] = {
    L"notepad.exe",  L"cmd.exe",     L"winefile.exe", L"winecfg.exe",  L"winemine.exe", L"taskmgr.exe",
    L"control.exe",  L"clock.exe",   L"write.exe",    L"progman.exe",  L"oleview.exe",  L"msinfo32.exe",
    L"dxdiag.exe",   L"iexplore.exe", L"uninstaller.exe", L"winver.exe", L"winhlp32.exe", L"wineconsole.exe",
    L"view.exe",     L"mshta.exe",   L"msiexec.exe",  L"regsvr32.exe", L"rundll32.exe", L"xcopy.exe",
    L"ping.exe",     L"robocopy.exe",
};
const wchar_t* const kWindowsPrograms[] = {L"regedit.exe", L"explorer.exe", L"hh.exe", L"notepad.exe"};

const wchar_t* const kDocuments[] = {
    L"notes 1.txt", L"notes 2.txt", L"todo.txt",   L"read me.txt", L"start.htm",
    L"links.htm",   L"manual.htm",  L"setup.ini",  L"colors.ini",  L"tools.ini",
};
const wchar_t* const kSubFolders[] = {L"projects", L"archive", L"pictures"};
const wchar_t* const kParameters[] = {
    L"",   L"/n",         L"--profile default", L"-new-window", L"/select",
    L"/s", L"--lang=en", L"/view:large /sort:name",
};

struct Entry {
    std::wstring name;  // caption without its number
    std::wstring path;
};

std::wstring systemFolder(bool windows) {
    wchar_t buffer[MAX_PATH];
    const UINT length = windows ? GetWindowsDirectoryW(buffer, MAX_PATH) : GetSystemDirectoryW(buffer, MAX_PATH);
    return std::wstring(buffer, length);
}

bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring stem(const std::wstring& file) { return file.substr(0, file.rfind(L'.')); }

std::wstring nameOf(const std::wstring& path) { return path.substr(path.rfind(L'\\') + 1); }

std::string documentText(const std::wstring& file) {
    if (file.ends_with(L".htm")) return "<html><body><p>A page kept with the launcher.</p></body></html>\r\n";
    if (file.ends_with(L".ini")) return "[Options]\r\nColor=blue\r\nSize=12\r\n";
    return "Some notes kept beside the launcher.\r\n";
}

// The mix the items cycle through: programs, the data folder's documents, folders.
std::vector<Entry> itemMix(const std::wstring& dataFolder) {
    std::vector<Entry> mix;
    const std::wstring system = systemFolder(false);
    const std::wstring windows = systemFolder(true);
    for (const wchar_t* program : kSystemPrograms)
        if (exists(system + L"\\" + program)) mix.push_back({stem(program), system + L"\\" + program});
    for (const wchar_t* program : kWindowsPrograms)
        if (exists(windows + L"\\" + program)) mix.push_back({stem(program) + L" (Windows)", windows + L"\\" + program});
    const DocumentPaths paths = makeDocuments(dataFolder);
    for (const std::wstring& document : paths.documents) mix.push_back({stem(nameOf(document)), document});
    mix.push_back({L"Documents", paths.folders.front()});
    for (size_t i = 1; i < paths.folders.size(); ++i) mix.push_back({nameOf(paths.folders[i]), paths.folders[i]});
    mix.push_back({L"Windows", windows});
    mix.push_back({L"System", system});
    return mix;
}

// A category file as Kivo writes it: UTF-8 with a byte-order mark, CR LF.
bool writeCategory(const std::wstring& path, const std::vector<Entry>& mix, int count, bool longLines = false) {
    std::wstring text;
    for (int i = 0; i < count; ++i) {
        const Entry& e = mix[static_cast<size_t>(i) % mix.size()];
        text += e.name + L" " + std::to_wstring(i + 1) + L"=" + e.path;
        if (longLines)
            text += std::wstring(L";") + kParameters[static_cast<size_t>(i / 3) % std::size(kParameters)] + L";" +
                    e.path.substr(0, e.path.rfind(L'\\')) + (i % 7 == 0 ? L";max;" : L";;");
        text += L"\r\n";
    }
    return writeWholeFile(path, "\xEF\xBB\xBF" + toUtf8(text));
}

}  // namespace

std::string toUtf8(const std::wstring& text) {
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

bool writeWholeFile(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    CloseHandle(file);
    return ok;
}

std::wstring makeStartFolder(const std::wstring& workFolder, int count, bool longLines) {
    const std::wstring folder = makeFolder(workFolder, (longLines ? L"long-" : L"items-") + std::to_wstring(count));
    writeCategory(folder + L"\\Items.kvl", itemMix(folder), count, longLines);
    writeStartSettings(folder);
    return folder;
}

void writeStartSettings(const std::wstring& folder) {
    writeWholeFile(folder + L"\\Kivo.ini", launcherSettings(L"Items", {L"Items"}));
}

SwitchFolder makeSwitchFolder(const std::wstring& workFolder, int fewCount, int manyCount) {
    SwitchFolder s;
    s.folder = makeFolder(workFolder, L"switch-" + std::to_wstring(manyCount));
    s.fewList = s.folder + L"\\Few.kvl";
    s.manyList = s.folder + L"\\Many.kvl";
    const std::vector<Entry> mix = itemMix(s.folder);
    writeCategory(s.fewList, mix, fewCount);
    writeCategory(s.manyList, mix, manyCount);
    writeWholeFile(s.folder + L"\\Kivo.ini", launcherSettings(L"Few", {L"Few", L"Many"}));
    return s;
}

std::wstring systemProgram(const std::wstring& file) {
    for (bool windows : {false, true}) {
        const std::wstring path = systemFolder(windows) + L"\\" + file;
        if (exists(path)) return path;
    }
    return std::wstring();
}

DocumentPaths makeDocuments(const std::wstring& dataFolder) {
    DocumentPaths paths;
    const std::wstring docs = dataFolder + L"\\docs";
    CreateDirectoryW(docs.c_str(), nullptr);
    for (const wchar_t* document : kDocuments) {
        writeWholeFile(docs + L"\\" + document, documentText(document));
        paths.documents.push_back(docs + L"\\" + document);
    }
    paths.folders.push_back(docs);
    for (const wchar_t* sub : kSubFolders) {
        CreateDirectoryW((docs + L"\\" + sub).c_str(), nullptr);
        paths.folders.push_back(docs + L"\\" + sub);
    }
    return paths;
}

std::wstring makeFolder(const std::wstring& workFolder, const std::wstring& name) {
    const std::wstring folder = workFolder + L"\\" + name;
    CreateDirectoryW(workFolder.c_str(), nullptr);
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

std::string launcherSettings(const std::wstring& start, const std::vector<std::wstring>& categories) {
    std::wstring text = L"; Written by the benchmark runner.\r\n[Start]\r\nCatSelect=" + start +
                        L"\r\n[main]\r\nSingleColumn=0\r\nWidth=350\r\nHeight=250\r\n";
    for (const std::wstring& category : categories) text += L"[" + category + L"]\r\nLargeIcons=1\r\n";
    return "\xEF\xBB\xBF" + toUtf8(text);
}
