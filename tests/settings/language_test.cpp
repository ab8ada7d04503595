#include <gtest/gtest.h>

#include <filesystem>

#include "platform/text_codec.h"
#include "settings/language.h"
#include "store/text_encoding.h"
#include "support/test_files.h"

namespace {

LanguageTable defaults() {
    LanguageTable table;
    fillDefaultLanguage(table);
    return table;
}

TEST(LanguageTable, DefaultTexts) {
    LanguageTable t = defaults();
    EXPECT_EQ(languageText(t, 1), L"Help");
    EXPECT_EQ(languageText(t, 9), L"Window title bar??");
    EXPECT_EQ(languageText(t, 21), L"Startup");
    EXPECT_EQ(languageText(t, 81), L"Allow drag&&drop &into launcher window");
    EXPECT_EQ(languageText(t, 85), L"Running Kivo from write-protected device is not recommended.");
    EXPECT_EQ(languageText(t, 90), L"");
    EXPECT_EQ(languageText(t, 95), L"Cannot write Configuration");
    EXPECT_EQ(languageText(t, 0), L"");
    EXPECT_EQ(languageText(t, 97), L"&The hotkey opens Find") << "new entries come after the old ones";
    EXPECT_EQ(languageText(t, 103), L"Find lea&rns your choices");
    EXPECT_EQ(languageText(t, kLanguageEntryCount + 1), L"");
}

TEST(LanguageTable, AccessKeysOfTexts) {
    EXPECT_EQ(withoutAccessKey(L"&Delete"), L"Delete");
    EXPECT_EQ(withoutAccessKey(L"Allow drag&&drop &into"), L"Allow drag&drop into");
    EXPECT_EQ(withoutAccessKey(L"end&"), L"end");
    EXPECT_EQ(accessKey(L"Allow drag&&drop &into"), L'i');
    EXPECT_EQ(accessKey(L"drag&&drop"), L'\0');
}

TEST(LanguageTable, NumberedPlainAndCutLines) {
    LanguageTable t = defaults();
    applyLanguageText(t, L"; comment\r\n; another\r\nMinimieren\r\n1=Hilfe\r\n$5=Konfiguration\r\n\r\n"
                         L"3=first=second\n 4 = padded \n0=ignored\n98=out of range\n7=\nHelp=\n");
    EXPECT_EQ(languageText(t, 1), L"Hilfe");
    EXPECT_EQ(languageText(t, 2), L"Info");
    EXPECT_EQ(languageText(t, 3), L"first") << "cut at the second =, and later lines win";
    EXPECT_EQ(languageText(t, 4), L" padded ") << "texts are never trimmed";
    EXPECT_EQ(languageText(t, 5), L"Konfiguration");
    EXPECT_EQ(languageText(t, 6), L"General Settings") << "line 6 is empty";
    EXPECT_EQ(languageText(t, 7), L"Font") << "an empty text changes nothing";
    EXPECT_EQ(languageText(t, 12), L"Help") << "a plain line ending in = is numbered by its line";

    LanguageTable plain = defaults();
    applyLanguageText(plain, L"; comment\r\n; another\r\nMinimieren");
    EXPECT_EQ(languageText(plain, 3), L"Minimieren") << "a plain third line is entry 3, comments counted";
}

struct EncodedLanguage {
    const char* name;
    std::string bytes;
};

class LanguageFileEncodings : public testing::TestWithParam<EncodedLanguage> {};

const std::wstring kGerman = L"; Deutsch\r\n1=Hilfe\r\nMinimieren\r\n4=Kivo beenden\r\n19=N\u00E4chste Kategorie (TAB)\r\n";

TEST_P(LanguageFileEncodings, MixedFileInEveryEncoding) {
    TempFolder dir;
    writeBytes(dir.file(L"Deutsch.lng"), GetParam().bytes);
    LanguageTable t = defaults();
    ASSERT_TRUE(loadLanguageFile(t, dir.file(L"Deutsch.lng")));
    EXPECT_EQ(languageText(t, 1), L"Hilfe");
    EXPECT_EQ(languageText(t, 3), L"Minimieren");
    EXPECT_EQ(languageText(t, 4), L"Kivo beenden");
    EXPECT_EQ(languageText(t, 19), L"N\u00E4chste Kategorie (TAB)");
}

INSTANTIATE_TEST_SUITE_P(AllEncodings, LanguageFileEncodings,
                         testing::Values(EncodedLanguage{"utf8_bom", "\xEF\xBB\xBF" + wideToUtf8(kGerman)},
                                         EncodedLanguage{"utf8", wideToUtf8(kGerman)},
                                         EncodedLanguage{"utf16_bom", "\xFF\xFE" + utf16Bytes(kGerman)},
                                         EncodedLanguage{"ansi", ansiBytes(kGerman)}),
                         [](const testing::TestParamInfo<EncodedLanguage>& info) { return info.param.name; });

TEST(LoadLanguage, SettingThenNativeNameThenDefaults) {
    TempFolder program;
    std::filesystem::create_directories(program.path / L"Languages");
    writeBytes(program.file(L"Languages\\Deutsch.lng"), "1=Hilfe\r\n");
    writeBytes(program.file(L"Languages\\Klingon.lng"), "1=QaH\r\n");
    const std::wstring folder = program.path.wstring() + L"\\";

    LanguageTable t = defaults();
    EXPECT_EQ(loadLanguage(t, folder, L"Klingon", L"Deutsch"), L"Klingon");
    EXPECT_EQ(languageText(t, 1), L"QaH");

    t = defaults();
    EXPECT_EQ(loadLanguage(t, folder, L"German", L"Deutsch"), L"Deutsch") << "no German.lng: the native name";
    EXPECT_EQ(languageText(t, 1), L"Hilfe");

    t = defaults();
    EXPECT_EQ(loadLanguage(t, folder, L"French", L"Fran\u00E7ais"), L"");
    EXPECT_EQ(languageText(t, 1), L"Help");
}

// Only a file of the Languages folder is a language: a path gives the built-in texts.
TEST(LoadLanguage, APathInTheSettingGivesTheBuiltInTexts) {
    TempFolder program;
    std::filesystem::create_directories(program.path / L"Languages");
    std::filesystem::create_directories(program.path / L"x");
    writeBytes(program.file(L"x\\evil.lng"), "1=Evil\r\n");
    for (const wchar_t* setting : {L"..\\x\\evil", L"../x/evil", L"C:evil", L"nul"}) {
        LanguageTable t = defaults();
        EXPECT_EQ(loadLanguage(t, program.path.wstring() + L"\\", setting, L"x"), L"") << setting;
        EXPECT_EQ(languageText(t, 1), L"Help") << setting;
    }
}

TEST(LoadLanguage, TheShippedGermanFileIsComplete) {
    // The build puts the language files beside the test programs' parent folder.
    std::filesystem::path shipped = std::filesystem::current_path().parent_path() / L"Languages" / L"Deutsch.lng";
    if (!std::filesystem::exists(shipped)) GTEST_SKIP() << "run from the build folder's tests folder";
    LanguageTable t = defaults();
    ASSERT_TRUE(loadLanguageFile(t, shipped.wstring()));
    LanguageTable english = defaults();
    for (int n = 1; n <= kLanguageEntryCount; ++n) {
        // "Info", "normal", "???", "Desktop", and the empty ones
        if (n == 2 || n == 39 || n == 55 || n == 101 || languageText(english, n).empty()) continue;
        EXPECT_NE(languageText(t, n), languageText(english, n)) << "entry " << n << " is not translated";
    }
    EXPECT_NE(languageText(t, 81).find(L"&&"), std::wstring::npos);
    EXPECT_EQ(languageText(t, 21), L"Autostart");
}

}  // namespace
