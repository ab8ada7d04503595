#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/text_codec.h"
#include "settings/ini_document.h"
#include "support/test_files.h"

namespace {

IniDocument loaded(const std::wstring& path) {
    IniDocument doc;
    doc.path = path;
    EXPECT_TRUE(load(doc));
    return doc;
}

// Lines of every kind that other programs write: none but the changed value
// may differ after a save.
const std::wstring kStored =
    L"# Twisted.ini\r\n"
    L"DataPath = ..\\Daten\r\n"
    L"; a comment stays\r\n"
    L"\r\n"
    L"    [Start]   ; section comment\r\n"
    L"CatSelect=Werkzeuge\r\n"
    L"\r\n"
    L"[Empty]\r\n"
    L"[main]\r\n"
    L"  Width  =  400  \r\n"
    L"Title=Caf\u00E9\r\n"
    L"Content-Type: text/html\r\n"
    L"no equals sign\r\n"
    L"=starts with equals\r\n"
    L"\r\n"
    L"[start]\r\n"
    L"Again=1\r\n"
    L"\r\n";

std::wstring replaced(std::wstring text, const std::wstring& from, const std::wstring& to) {
    for (size_t at = text.find(from); at != std::wstring::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

struct EncodedSettings {
    const char* name;
    std::string (*encode)(const std::wstring&);
    TextFormat format;
    bool hasBom;
};

class SettingsRoundTrip : public testing::TestWithParam<EncodedSettings> {};

TEST_P(SettingsRoundTrip, KeepsLinesInPlaceAndTheFormat) {
    const EncodedSettings& e = GetParam();
    TempFolder dir;
    writeBytes(dir.file(L"Kivo.ini"), e.encode(kStored));
    IniDocument doc = loaded(dir.file(L"Kivo.ini"));
    EXPECT_EQ(doc.format, e.format);
    EXPECT_EQ(doc.hasBom, e.hasBom);
    EXPECT_EQ(doc.changes, 0);
    EXPECT_EQ(doc.currentGroup, 0);
    EXPECT_EQ(readString(doc, L"DataPath", L""), L"..\\Daten");
    selectGroup(doc, L"MAIN");
    EXPECT_EQ(readInt(doc, L"width", 0), 400);
    EXPECT_EQ(readString(doc, L"Title", L""), L"Caf\u00E9");
    selectGroup(doc, L"start");
    EXPECT_EQ(readString(doc, L"CatSelect", L""), L"Werkzeuge");
    selectGroup(doc, L"main");
    writeInt(doc, L"Width", 450);
    ASSERT_TRUE(save(doc));
    EXPECT_EQ(readBytes(dir.file(L"Kivo.ini")), e.encode(replaced(kStored, L"400", L"450")));
}

INSTANTIATE_TEST_SUITE_P(
    AllEncodings, SettingsRoundTrip,
    testing::Values(
        EncodedSettings{"utf8_bom", [](const std::wstring& t) { return "\xEF\xBB\xBF" + wideToUtf8(t); }, TextFormat::Utf8, true},
        EncodedSettings{"utf8", [](const std::wstring& t) { return wideToUtf8(t); }, TextFormat::Utf8, false},
        EncodedSettings{"utf16_bom", [](const std::wstring& t) { return "\xFF\xFE" + utf16Bytes(t); }, TextFormat::Utf16Le, true},
        EncodedSettings{"utf16", [](const std::wstring& t) { return utf16Bytes(t); }, TextFormat::Utf16Le, false},
        EncodedSettings{"utf16be", [](const std::wstring& t) { return utf16Bytes(t, true); }, TextFormat::Utf16Be, false},
        EncodedSettings{"ansi", [](const std::wstring& t) { return ansiBytes(t); }, TextFormat::Ansi, false},
        EncodedSettings{"utf32_bom", [](const std::wstring& t) { return std::string("\xFF\xFE\0\0", 4) + utf32Bytes(std::u32string(t.begin(), t.end())); }, TextFormat::Utf32Le, true},
        EncodedSettings{"utf32be", [](const std::wstring& t) { return utf32Bytes(std::u32string(t.begin(), t.end()), true); }, TextFormat::Utf32Be, false},
        EncodedSettings{"utf8_lf", [](const std::wstring& t) { return wideToUtf8(replaced(t, L"\r\n", L"\n")); },
                        TextFormat::Utf8, false}),
    [](const testing::TestParamInfo<EncodedSettings>& info) { return info.param.name; });

TEST(IniDocument, UntouchedLinesKeepBytesOfAnotherEncoding) {
    // Latin-1 from an older editor in a UTF-8 file.
    const std::string latin1 = "name=d\xE9j\xE0 vu\r\n";
    const std::string file = "[main]\r\nTitle=Caf\xC3\xA9 cr\xC3\xA8me\r\n" + latin1 + "MRU=Tools\r\nLast=\xE9t\xE9\r\n";
    TempFolder dir;
    IniDocument doc = settingsFile(dir, file);
    ASSERT_EQ(doc.format, TextFormat::Utf8);
    selectGroup(doc, L"main");
    EXPECT_EQ(readString(doc, L"name", L""), L"d\u00E9j\u00E0 vu");
    writeString(doc, L"MRU", L"Spiele");
    writeString(doc, L"Last", L"\u00E9t\u00E9 2");
    ASSERT_TRUE(save(doc));
    EXPECT_EQ(readBytes(doc.path), "[main]\r\nTitle=Caf\xC3\xA9 cr\xC3\xA8me\r\n" + latin1 +
                                       "MRU=Spiele\r\nLast=\xC3\xA9t\xC3\xA9 2\r\n");
}

TEST(IniDocument, FailedLoadKeepsWhatTheDocumentHeld) {
    TempFolder dir;
    IniDocument doc;
    writeString(doc, L"DataPath", L"D:\\Data");
    doc.format = TextFormat::Utf16Le;
    doc.path = dir.file(L"missing.ini");
    EXPECT_FALSE(load(doc));
    EXPECT_EQ(readString(doc, L"DataPath", L""), L"D:\\Data");
    EXPECT_EQ(doc.format, TextFormat::Utf16Le);
}

TEST(IniDocument, LookupsUseTheFirstRunOfTheGroupAndTheFirstKey) {
    TempFolder dir;
    writeBytes(dir.file(L"a.ini"), "[G]\r\nKey=first\r\nkey=second\r\n[Other]\r\nX=1\r\n[g]\r\nLate=yes\r\n");
    IniDocument doc = loaded(dir.file(L"a.ini"));
    EXPECT_EQ(groupCount(doc), 2) << "[g] is the same group as [G]";
    selectGroup(doc, L"g");
    EXPECT_EQ(readString(doc, L"KEY", L"-"), L"first");
    EXPECT_EQ(readString(doc, L"Late", L"-"), L"-") << "only the first run is searched";
    writeString(doc, L"key", L"changed");
    EXPECT_EQ(readString(doc, L"Key", L"-"), L"changed");
    EXPECT_EQ(doc.entries[1].value, L"second");
}

TEST(IniDocument, NewKeysGoToTheEndOfTheirGroupsFirstRun) {
    IniDocument doc;
    selectGroup(doc, L"A");
    writeString(doc, L"a1", L"1");
    selectGroup(doc, L"B");
    writeString(doc, L"b1", L"1");
    selectGroup(doc, L"A");
    writeString(doc, L"a2", L"2");
    selectGroup(doc, L"");
    writeString(doc, L"top", L"t");
    writeString(doc, L"top2", L"t");
    selectGroup(doc, L"C");
    writeString(doc, L"c1", L"1");

    TempFolder dir;
    doc.path = dir.file(L"new.ini");
    ASSERT_TRUE(save(doc));
    EXPECT_EQ(readBytes(doc.path), "top=t\r\ntop2=t\r\n\r\n[A]\r\na1=1\r\na2=2\r\n\r\n[B]\r\nb1=1\r\n\r\n[C]\r\nc1=1\r\n");
}

TEST(IniDocument, ChangesAreCountedOnlyForRealChanges) {
    TempFolder dir;
    writeBytes(dir.file(L"a.ini"), "[main]\r\nWidth=300\r\n");
    IniDocument doc = loaded(dir.file(L"a.ini"));
    selectGroup(doc, L"Main");
    writeInt(doc, L"Width", 300);
    writeString(doc, L"WIDTH", L"300");
    EXPECT_EQ(doc.changes, 0);
    EXPECT_FALSE(save(doc)) << "an unchanged document is not written";
    writeString(doc, L"Width", L"0300");
    EXPECT_EQ(doc.changes, 1) << "values compare exactly";

    IniDocument fresh = loaded(dir.file(L"a.ini"));
    selectGroup(fresh, L"NewCategory");
    EXPECT_EQ(fresh.changes, 1) << "a new group is a change";
}

TEST(IniDocument, SaveWithoutChangesCreatesNoFile) {
    TempFolder dir;
    IniDocument doc;
    doc.path = dir.file(L"never.ini");
    EXPECT_FALSE(save(doc));
    EXPECT_FALSE(fileExists(doc.path));
}

TEST(IniDocument, DeletingAGroupsEntries) {
    TempFolder dir;
    writeBytes(dir.file(L"a.ini"), "[Tools]\r\nWidth=1\r\nHeight=2\r\n[main]\r\nWidth=3\r\n");
    IniDocument doc = loaded(dir.file(L"a.ini"));
    selectGroup(doc, L"tools");
    deleteGroupEntries(doc);
    EXPECT_EQ(doc.changes, 2);
    EXPECT_EQ(readInt(doc, L"Width", -1), -1);
    ASSERT_TRUE(save(doc));
    EXPECT_EQ(readBytes(doc.path), "[main]\r\nWidth=3\r\n") << "a group without entries is not written";
}

// What Kivo adds to a file of others: a key at the end of its group, before the
// blank lines that close it, a group at the end after one blank line, both with
// the file's own line end; a renamed group keeps the rest of its header.
TEST(IniDocument, AdditionsFollowTheFilesOwnForm) {
    TempFolder dir;
    writeBytes(dir.file(L"a.ini"), "[main] ; mine\nWidth = 1\n\n\n[Tools]\r\nX=1");
    IniDocument doc = loaded(dir.file(L"a.ini"));
    selectGroup(doc, L"main");
    writeString(doc, L"MRU", L"Tools");
    selectGroup(doc, L"New");
    writeString(doc, L"Y", L"2");
    doc.groupNames[static_cast<size_t>(selectGroup(doc, L"Tools"))] = L"Games";
    ASSERT_TRUE(save(doc));
    EXPECT_EQ(readBytes(doc.path), "[main] ; mine\nWidth = 1\nMRU=Tools\n\n\n[Games]\r\nX=1\n\n[New]\nY=2\n");
}

TEST(IniDocument, ColoursAreWrittenAsHashText) {
    IniDocument doc;
    selectGroup(doc, L"main");
    writeColor(doc, L"BGcolor", 0x00FF8000);
    EXPECT_EQ(readString(doc, L"BGcolor", L""), L"#0080FF");
    EXPECT_EQ(readColor(doc, L"BGcolor", L"#FFFFFF"), 0x00FF8000u);
    EXPECT_EQ(readColor(doc, L"Missing", L"#FFFFFF"), 0x00FFFFFFu);
}

TEST(IniDocument, The65thGroupTouchesNoOtherGroup) {
    IniDocument doc;
    writeString(doc, L"Shared", L"top-level");
    for (int i = 1; i <= kMaxIniGroups; ++i) {
        selectGroup(doc, L"Group" + std::to_wstring(i));
        writeInt(doc, L"Width", i);
    }
    EXPECT_EQ(groupCount(doc), kMaxIniGroups);
    const int changes = doc.changes;
    const size_t entries = doc.entries.size();

    EXPECT_EQ(selectGroup(doc, L"Group65"), kNoIniGroup);
    EXPECT_EQ(readString(doc, L"Shared", L"default"), L"default");
    EXPECT_EQ(readInt(doc, L"Width", 7), 7);
    writeInt(doc, L"Width", 99);
    writeString(doc, L"Shared", L"overwritten?");
    deleteGroupEntries(doc);
    EXPECT_EQ(doc.changes, changes);
    EXPECT_EQ(doc.entries.size(), entries);

    EXPECT_EQ(selectGroup(doc, L"group64"), 64) << "existing groups stay reachable";
    EXPECT_EQ(readInt(doc, L"Width", 0), 64);
    selectGroup(doc, L"");
    EXPECT_EQ(readString(doc, L"Shared", L""), L"top-level");
}

TEST(IniDocument, AFileWithMoreGroupsLosesNoLines) {
    TempFolder dir;
    std::string text;
    for (int i = 1; i <= 70; ++i) text += "\r\n[Cat" + std::to_string(i) + "]\r\nWidth=" + std::to_string(i) + "\r\n";
    writeBytes(dir.file(L"many.ini"), text);
    IniDocument doc = loaded(dir.file(L"many.ini"));
    selectGroup(doc, L"Cat70");
    EXPECT_EQ(readInt(doc, L"Width", 0), 70);
    writeInt(doc, L"Width", 71);
    ASSERT_TRUE(save(doc));
    EXPECT_EQ(readBytes(doc.path), text.substr(0, text.size() - 4) + "71\r\n");
}

TEST(IniDocument, EmptyHeaderIsTheTopLevelGroup) {
    TempFolder dir;
    writeBytes(dir.file(L"a.ini"), "[x]\r\nA=1\r\n[]\r\nB=2\r\n");
    IniDocument doc = loaded(dir.file(L"a.ini"));
    EXPECT_EQ(readString(doc, L"B", L"-"), L"2");
    writeString(doc, L"B", L"3");
    ASSERT_TRUE(save(doc));
    EXPECT_EQ(readBytes(doc.path), "[x]\r\nA=1\r\n[]\r\nB=3\r\n");
}

TEST(IniDocument, AGroupNameHoldingABracketReadsBackAsWritten) {
    TempFolder dir;
    writeBytes(dir.file(L"a.ini"), "[x]y]\r\nA=1\r\n[Start] trailing text\r\nB=2\r\n");
    IniDocument doc = loaded(dir.file(L"a.ini"));
    EXPECT_EQ(selectGroup(doc, L"x]y"), 1) << "the name runs to the last \"]\"";
    EXPECT_EQ(readString(doc, L"A", L"-"), L"1");
    EXPECT_EQ(selectGroup(doc, L"Start"), 2);
    selectGroup(doc, L"a]b");
    writeString(doc, L"Width", L"300");
    ASSERT_TRUE(save(doc));
    IniDocument again = loaded(doc.path);
    EXPECT_EQ(groupCount(again), 3);
    selectGroup(again, L"a]b");
    EXPECT_EQ(readString(again, L"Width", L"-"), L"300");
}

TEST(IniDocument, AGroupWithoutEntriesTakesNoPlace) {
    TempFolder dir;
    std::string text = "[Empty]\r\n";
    for (int i = 1; i <= 63; ++i) text += "[Cat" + std::to_string(i) + "]\r\nWidth=" + std::to_string(i) + "\r\n";
    writeBytes(dir.file(L"a.ini"), text + "[Empty too]\r\n");
    IniDocument doc = loaded(dir.file(L"a.ini"));
    EXPECT_EQ(groupCount(doc), 63) << "a save would not write them";
    EXPECT_EQ(selectGroup(doc, L"Cat63"), 63);
    EXPECT_EQ(selectGroup(doc, L"Start"), 64) << "the 64th group is taken at once, not only after a save";
}

}  // namespace
