// Saves a settings file, a category file or the file of what Find learned
// through Kivo's own save functions,
// over and over, for save_killer to kill it in the middle. Two contents, A and
// B, of different lengths and every line its own, take turns, so that a file
// cut short or pieced together from both can never pass for either.
//   save_writer settings|category|learned <data folder> reference <A file> <B file>
//        saves A, then B, and copies what each save left in place to the file
//        given: what the killer compares with (the data folder then holds B)
//   save_writer settings|category|learned <data folder> loop <shared memory name>
//        reads the file (it must hold A or B), then saves the other content,
//        and so on, reporting in the shared memory (see save_progress.h); ends
//        by itself after a minute if no one kills it
// Exit codes: 0 done, 2 bad usage, 3 the file did not read as A or B, 4 a save
// or a copy failed, 5 no shared memory.
#include <windows.h>

#include <cstdio>
#include <string>

#include "find/find_memory.h"
#include "platform/files.h"
#include "save_progress.h"
#include "settings/ini_document.h"
#include "store/category_file.h"
#include "store/category_store.h"
#include "store/text_encoding.h"

namespace {

constexpr int kBadUsage = 2;
constexpr int kNotAOrB = 3;
constexpr int kSaveFailed = 4;
constexpr int kNoSharedMemory = 5;
constexpr ULONGLONG kGiveUpAfterMs = 60000;

// A line's text of `length` characters that names its content and its number,
// so no two lines of either content are alike.
std::wstring lineText(wchar_t content, int number, size_t length) {
    const std::wstring unit = std::wstring(1, content) + L"-" + std::to_wstring(number) + L"-";
    std::wstring text;
    while (text.size() < length) text += unit;
    text.resize(length);
    return text;
}

// About 500 KB (A) and 660 KB (B) in UTF-8.
IniDocument settingsContent(const std::wstring& path, wchar_t content) {
    IniDocument doc;
    doc.path = path;
    doc.format = TextFormat::Utf8;
    selectGroup(doc, L"Start");
    writeString(doc, L"CatSelect", L"Big");
    writeString(doc, L"Content", std::wstring(1, content));
    const int group = selectGroup(doc, L"Bulk");
    const int keys = content == L'A' ? 5000 : 6000;
    const size_t length = content == L'A' ? 90 : 100;
    // Straight into the entries: writeString would look for each key first.
    for (int i = 1; i <= keys; ++i)
        doc.entries.push_back(IniEntry{group, L"Key" + std::to_wstring(i), lineText(content, i, length)});
    return doc;
}

// About 600 KB (A) and 700 KB (B).
void fillCategory(CategoryStore& store, wchar_t content) {
    store.fileFormat = TextFormat::Utf8;
    store.fileHasBom = true;
    const int items = content == L'A' ? 400 : 500;
    const size_t length = content == L'A' ? 1450 : 1350;
    for (int i = 1; i <= items; ++i)
        store.items.push_back(categoryItem(std::wstring(1, content) + L" " + std::to_wstring(i),
                                           L"%windir%\\notepad.exe;" + lineText(content, i, length) + L";;;"));
}

// About 40 KB (A) and 55 KB (B): the most choices the file keeps, and fewer.
std::vector<LearnedChoice> learnedContent(wchar_t content) {
    std::vector<LearnedChoice> choices;
    const int count = content == L'A' ? 300 : 400;
    for (int i = 1; i <= count; ++i)
        choices.push_back(LearnedChoice{static_cast<uint32_t>(i), 13441246949u + i, lineText(content, i, 40),
                                        itemRowKey(L"Tools", lineText(content, i, 30), L"C:\\tool.exe")});
    return choices;
}

enum class Kind { Settings, Category, Learned };

struct Target {
    Kind kind = Kind::Settings;
    bool settings = false;
    std::wstring path;
    IniDocument docs[2];
    CategoryStore stores[2];
    std::vector<LearnedChoice> learned[2];
};

// 0 for A, 1 for B, -1 for anything else.
int learnedOnDisk(const Target& target) {
    std::string bytes;
    if (!readWholeFile(target.path, bytes)) return -1;
    const std::vector<LearnedChoice> choices = parseLearnedChoices(decodeText(bytes).text);
    for (int c = 0; c < 2; ++c)
        if (choices.size() == target.learned[c].size() && choices.back().typed == target.learned[c].back().typed)
            return c;
    return -1;
}

bool saveContent(Target& target, int content) {
    if (target.kind == Kind::Learned) return writeLearnedFile(target.path, target.learned[content]);
    if (!target.settings) return saveCategoryFile(target.stores[content], target.path);
    // The same document saved again must count as changed, or save() skips it.
    ++target.docs[content].changes;
    return save(target.docs[content]);
}

// 0 for A, 1 for B, -1 when the file reads as neither, read the way Kivo reads it.
int contentOnDisk(const Target& target) {
    if (target.kind == Kind::Learned) return learnedOnDisk(target);
    if (target.settings) {
        IniDocument doc;
        doc.path = target.path;
        if (!load(doc)) return -1;
        selectGroup(doc, L"Start");
        const std::wstring content = readString(doc, L"Content", L"");
        return content == L"A" ? 0 : content == L"B" ? 1 : -1;
    }
    CategoryStore store;
    if (!loadCategoryFile(store, target.path) || store.items.empty()) return -1;
    const std::wstring_view caption = itemText(store.items.front());
    const wchar_t first = caption.empty() ? L'\0' : caption[0];
    return first == L'A' ? 0 : first == L'B' ? 1 : -1;
}

bool copyFile(const std::wstring& from, const std::wstring& to) {
    std::string bytes;
    if (!readWholeFile(from, bytes)) return false;
    FILE* out = _wfopen(to.c_str(), L"wb");
    if (!out) return false;
    const bool written = fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return fclose(out) == 0 && written;
}

int writeReferences(Target& target, const wchar_t* fileA, const wchar_t* fileB) {
    if (!saveContent(target, 0) || !copyFile(target.path, fileA)) return kSaveFailed;
    if (!saveContent(target, 1) || !copyFile(target.path, fileB)) return kSaveFailed;
    return 0;
}

int saveInTurns(Target& target, const wchar_t* sharedName) {
    HANDLE mapping = OpenFileMappingW(FILE_MAP_WRITE, FALSE, sharedName);
    if (!mapping) return kNoSharedMemory;
    auto* progress = static_cast<SaveProgress*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(SaveProgress)));
    if (!progress) return kNoSharedMemory;
    const int initial = contentOnDisk(target);
    if (initial < 0) return kNotAOrB;
    InterlockedExchange(&progress->initialContent, initial);
    const ULONGLONG giveUp = GetTickCount64() + kGiveUpAfterMs;
    for (long n = 1; GetTickCount64() < giveUp; ++n) {
        // Announced before the save begins and after it returns, so that the
        // killer knows which two contents the file may hold at any moment.
        InterlockedExchange(&progress->started, n);
        if (!saveContent(target, (initial + n) % 2)) InterlockedIncrement(&progress->failed);
        InterlockedExchange(&progress->done, n);
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 5) return kBadUsage;
    const std::wstring kind = argv[1];
    const std::wstring folder = fullPathName(argv[2]);
    const std::wstring action = argv[3];
    if (kind != L"settings" && kind != L"category" && kind != L"learned") return kBadUsage;

    static Target target;  // two copies of each content: too large for the stack
    target.kind = kind == L"settings" ? Kind::Settings : kind == L"category" ? Kind::Category : Kind::Learned;
    target.settings = target.kind == Kind::Settings;
    const std::wstring name = target.settings                  ? std::wstring(L"Kivo.ini")
                              : target.kind == Kind::Category ? bigCategoryName() + L".kvl"
                                                              : std::wstring(kFindMemoryFileName);
    target.path = folder + (folder.back() == L'\\' ? L"" : L"\\") + name;
    for (int c = 0; c < 2; ++c) {
        const wchar_t content = c == 0 ? L'A' : L'B';
        if (target.settings)
            target.docs[c] = settingsContent(target.path, content);
        else if (target.kind == Kind::Category)
            fillCategory(target.stores[c], content);
        else
            target.learned[c] = learnedContent(content);
    }
    if (action == L"reference" && argc == 6) return writeReferences(target, argv[4], argv[5]);
    if (action == L"loop") return saveInTurns(target, argv[4]);
    return kBadUsage;
}
