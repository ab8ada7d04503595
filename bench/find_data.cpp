#include "find_data.h"

#include <windows.h>

#include "bench_data.h"
#include "platform/shell_links.h"
#include "platform/text_case.h"

namespace {

const wchar_t* const kCategoryNames[] = {
    L"Office",   L"Internet",  L"Games",   L"Tools",    L"System",  L"Graphics",  L"Music",       L"Video",
    L"Projects", L"Letters",   L"Finance", L"Travel",   L"Home",    L"Garden",    L"Kitchen",     L"Car",
    L"School",   L"Work",      L"Clients", L"Archive",  L"Photos",  L"Backup",    L"Downloads",   L"Family",
    L"Health",   L"Insurance", L"Taxes",   L"Hobby",    L"Books",   L"Sport",     L"Club",        L"Church",
    L"Friends",  L"Holidays",  L"Recipes", L"Manuals",  L"Drivers", L"Utilities", L"Development", L"Design",
    L"Printing", L"Scanning",  L"Network", L"Security", L"Mail",    L"Calendar",  L"Contacts",    L"Notes",
    L"Plans",    L"Misc",
};

struct Program {
    const wchar_t* caption;
    const wchar_t* file;  // in the system or the Windows folder
};

// Programs a Wine prefix has, under the names a user gives them.
const Program kPrograms[] = {
    {L"Notepad", L"notepad.exe"},
    {L"Command Prompt", L"cmd.exe"},
    {L"File Manager", L"winefile.exe"},
    {L"Wine Configuration", L"winecfg.exe"},
    {L"Minesweeper", L"winemine.exe"},
    {L"Task Manager", L"taskmgr.exe"},
    {L"Control Panel", L"control.exe"},
    {L"Clock", L"clock.exe"},
    {L"WordPad", L"write.exe"},
    {L"Program Manager", L"progman.exe"},
    {L"OLE Viewer", L"oleview.exe"},
    {L"System Information", L"msinfo32.exe"},
    {L"DirectX Diagnostics", L"dxdiag.exe"},
    {L"Internet Explorer", L"iexplore.exe"},
    {L"Add or Remove Programs", L"uninstaller.exe"},
    {L"About Windows", L"winver.exe"},
    {L"Help Viewer", L"winhlp32.exe"},
    {L"Console", L"wineconsole.exe"},
    {L"Picture Viewer", L"view.exe"},
    {L"HTML Application", L"mshta.exe"},
    {L"Installer", L"msiexec.exe"},
    {L"Register Server", L"regsvr32.exe"},
    {L"Run a Library", L"rundll32.exe"},
    {L"Copy Files", L"xcopy.exe"},
    {L"Ping", L"ping.exe"},
    {L"Robust Copy", L"robocopy.exe"},
    {L"Registry Editor", L"regedit.exe"},
    {L"Explorer", L"explorer.exe"},
    {L"HTML Help", L"hh.exe"},
};
const wchar_t* const kProgramVariants[] = {L"",     L" 2",    L" (portable)", L" x64",
                                           L" old", L" beta", L" 2.1",        L" - Shortcut"};

// Subjects of documents; the last ones name folders.
const wchar_t* const kSubjects[] = {
    L"Budget",
    L"Invoice",
    L"Meeting notes",
    L"Report",
    L"Travel plan",
    L"Recipe",
    L"Letter to the bank",
    L"Tax return",
    L"Project plan",
    L"Shopping list",
    L"Contract",
    L"Timesheet",
    L"Minutes",
    L"Presentation",
    L"Price list",
    L"Address book",
    L"Birthday list",
    L"Car insurance",
    L"Garden plan",
    L"Reading list",
    L"Photos",
    L"Holiday pictures",
    L"Music",
    L"Backup",
    L"Downloads",
};
constexpr size_t kFirstFolderSubject = 20;
const wchar_t* const kQualifiers[] = {
    L"2018",      L"2019",     L"2020",     L"2021",     L"2022",   L"2023",  L"2024",   L"2025",
    L"January",   L"February", L"March",    L"April",    L"May",    L"June",  L"July",   L"August",
    L"September", L"October",  L"November", L"December", L"draft",  L"final", L"old",    L"copy",
    L"v2",        L"v3",       L"Anna",     L"Tom",      L"office", L"home",  L"summer", L"winter",
};

template <typename T, size_t N>
constexpr size_t countOf(const T (&)[N]) {
    return N;
}

std::wstring lowerCase(std::wstring text) {
    for (wchar_t& c : text)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + (L'a' - L'A'));
    return text;
}

std::wstring fileNameOf(const std::wstring& path) { return path.substr(path.rfind(L'\\') + 1); }

struct Targets {
    std::vector<Program> programs;  // those this system has
    std::vector<std::wstring> programPaths;
    DocumentPaths documents;
};

Targets targetsIn(const std::wstring& dataFolder) {
    Targets t;
    for (const Program& program : kPrograms) {
        const std::wstring path = systemProgram(program.file);
        if (path.empty()) continue;
        t.programs.push_back(program);
        t.programPaths.push_back(path);
    }
    t.documents = makeDocuments(dataFolder);
    return t;
}

// Item `k` of all: every fourth a program, the others documents and folders.
void nameItem(const Targets& t, size_t category, size_t k, std::wstring& caption, std::wstring& command) {
    if (k % 4 == 0 && !t.programs.empty()) {
        const size_t p = (k / 4) % t.programs.size();
        const size_t variant = (k / 4 / t.programs.size()) % countOf(kProgramVariants);
        caption = std::wstring(t.programs[p].caption) + kProgramVariants[variant];
        command = t.programPaths[p];
        return;
    }
    const size_t subject = k % countOf(kSubjects);
    const size_t qualifier = (k / countOf(kSubjects) + category) % countOf(kQualifiers);
    caption = std::wstring(kSubjects[subject]) + L" " + kQualifiers[qualifier];
    const std::vector<std::wstring>& paths =
        subject >= kFirstFolderSubject ? t.documents.folders : t.documents.documents;
    command = paths[k % paths.size()];
}

const wchar_t* const kShortcutKinds[] = {L"Help",   L"Setup",  L"Readme", L"Update",  L"Settings",
                                         L"Manual", L"Remove", L"Tools",  L"Reports", L"Notes"};

// Named after the programs as installers name their shortcuts; each starts a
// file of its own whose name is the shortcut's.
void addShortcuts(FindFolder& found, const Targets& t) {
    removeBenchShortcuts();
    const std::wstring group = benchShortcutGroup();
    const std::wstring apps = found.folder + L"\\apps";
    if (group.empty() || t.programs.empty()) return;
    CreateDirectoryW(group.c_str(), nullptr);
    CreateDirectoryW(apps.c_str(), nullptr);
    for (size_t i = 0; i < static_cast<size_t>(kBenchShortcuts); ++i) {
        const size_t p = i % t.programs.size();
        const size_t kind = (i / t.programs.size()) % countOf(kShortcutKinds);
        const size_t round = i / (t.programs.size() * countOf(kShortcutKinds));
        std::wstring name = std::wstring(t.programs[p].caption) + L" " + kShortcutKinds[kind];
        if (round) name += L" " + std::to_wstring(round + 1);
        const std::wstring target = apps + L"\\" + name + L".exe";
        writeWholeFile(target, "MZ");
        ShellLinkInfo link;
        link.path = target;
        createShellLink(link, group + L"\\" + name + L".lnk");
        found.captions.push_back(lowerCase(name));
        found.fileNames.push_back(lowerCase(name + L".exe"));
        found.names.push_back(searchName(name));
        found.foldedFileNames.push_back(foldedForSearch(name + L".exe"));
    }
}

}  // namespace

std::wstring benchShortcutGroup() {
    const std::vector<ShortcutFolder> folders = programShortcutFolders();
    return folders.empty() || folders[0].place != ShortcutPlace::StartMenu ? std::wstring()
                                                                           : folders[0].path + L"\\Kivo bench";
}

void removeBenchShortcuts() {
    const std::wstring group = benchShortcutGroup();
    if (group.empty()) return;
    WIN32_FIND_DATAW entry{};
    HANDLE search = FindFirstFileW((group + L"\\*.lnk").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do DeleteFileW((group + L"\\" + entry.cFileName).c_str());
        while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryW(group.c_str());
}

FindFolder makeFindFolder(const std::wstring& workFolder, int categories, int itemsEach) {
    FindFolder found;
    found.folder = makeFolder(workFolder, L"find-" + std::to_wstring(categories) + L"x" + std::to_wstring(itemsEach));
    const Targets targets = targetsIn(found.folder);
    std::vector<std::wstring> names;
    for (size_t c = 0; c < static_cast<size_t>(categories); ++c) {
        const std::wstring name =
            c < countOf(kCategoryNames) ? std::wstring(kCategoryNames[c]) : L"More " + std::to_wstring(c + 1);
        names.push_back(name);
        std::wstring text;
        for (size_t i = 0; i < static_cast<size_t>(itemsEach); ++i) {
            std::wstring caption;
            std::wstring command;
            nameItem(targets, c, c * static_cast<size_t>(itemsEach) + i, caption, command);
            text += caption + L"=" + command + L"\r\n";
            found.captions.push_back(lowerCase(caption));
            found.fileNames.push_back(lowerCase(fileNameOf(command)));
            found.names.push_back(searchName(caption));
            found.foldedFileNames.push_back(foldedForSearch(fileNameOf(command)));
        }
        writeWholeFile(found.folder + L"\\" + name + L".kvl", "\xEF\xBB\xBF" + toUtf8(text));
    }
    addShortcuts(found, targets);
    found.startCategory = names.front();
    writeWholeFile(found.folder + L"\\Kivo.ini", launcherSettings(found.startCategory, names));
    return found;
}

int foundCount(const FindFolder& found, const std::wstring& typed) {
    if (typed.empty()) return 0;
    const std::wstring text = lowerCase(typed);
    int count = 0;
    for (size_t i = 0; i < found.captions.size(); ++i)
        if (found.captions[i].find(text) != std::wstring::npos || found.fileNames[i].find(text) != std::wstring::npos)
            ++count;
    return count;
}

int kivoFoundCount(const FindFolder& found, const std::wstring& typed) {
    SearchQuery query = searchQuery(foldedForSearch(typed));
    int count = 0;
    for (size_t i = 0; i < found.names.size(); ++i) {
        const std::wstring& file = found.foldedFileNames[i];
        if (matchRow(found.names[i].view(), file, letterBits(file), nullptr, query).matchClass >= 0) ++count;
    }
    return count;
}

void keepItems(FindFolder& found, size_t count) {
    found.captions.resize(count);
    found.fileNames.resize(count);
    found.names.resize(count);
    found.foldedFileNames.resize(count);
}
