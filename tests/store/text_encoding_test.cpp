#include <gtest/gtest.h>

#include "platform/text_codec.h"
#include "store/text_encoding.h"
#include "store/text_lines.h"

namespace {

TEST(DetectTextEncoding, DecidesByTheBytes) {
    EXPECT_EQ(detectTextEncoding("", TextFormat::Utf8), TextFormat::Utf8);
    EXPECT_EQ(detectTextEncoding("plain=ascii\r\n", TextFormat::Utf8), TextFormat::Utf8);
    EXPECT_EQ(detectTextEncoding("plain=ascii\r\n", TextFormat::Ansi), TextFormat::Ansi) << "no evidence: fallback";
    EXPECT_EQ(detectTextEncoding("Gr\xC3\xBC\xC3\x9F" "e=x", TextFormat::Ansi), TextFormat::Utf8);
    EXPECT_EQ(detectTextEncoding("M\xFCller=x\r\n\xC4rger=y", TextFormat::Utf8), TextFormat::Ansi);
    EXPECT_EQ(detectTextEncoding("M\xFCller=\xC3\xA9", TextFormat::Utf8), TextFormat::Utf8) << "mixed: fallback";
    EXPECT_EQ(detectTextEncoding("M\xFCller=\xC3\xA9", TextFormat::Ansi), TextFormat::Ansi) << "mixed: fallback";
    EXPECT_EQ(detectTextEncoding(std::string("a\0b", 3), TextFormat::Utf8), TextFormat::Utf16Le);
    EXPECT_EQ(detectTextEncoding(std::string("\xC3\xA9\0", 3), TextFormat::Ansi), TextFormat::Utf16Le);
}

TEST(DetectTextEncoding, LeadBytesAtTheEndAndBrokenSequences) {
    EXPECT_EQ(detectTextEncoding("abc\xC3", TextFormat::Utf8), TextFormat::Ansi) << "lead byte too close to the end";
    EXPECT_EQ(detectTextEncoding("\xE2\x82", TextFormat::Utf8), TextFormat::Ansi);
    EXPECT_EQ(detectTextEncoding("\xE2\x82\xAC", TextFormat::Ansi), TextFormat::Utf8);
    EXPECT_EQ(detectTextEncoding("\xF0\x9F\x98\x80", TextFormat::Ansi), TextFormat::Utf8);
    // A broken continuation is consumed, not taken as a new lead byte.
    EXPECT_EQ(detectTextEncoding("\xC3\xC3\xA9", TextFormat::Ansi), TextFormat::Ansi);
    EXPECT_EQ(detectTextEncoding("\xE4" "ab", TextFormat::Utf8), TextFormat::Ansi);
}

TEST(DecodeText, ByteOrderMarksDecide) {
    DecodedText u8 = decodeText("\xEF\xBB\xBF" "a=\xC3\xA9");
    EXPECT_EQ(u8.format, TextFormat::Utf8);
    EXPECT_TRUE(u8.hasBom);
    EXPECT_EQ(u8.text, L"a=\u00E9");

    DecodedText u16 = decodeText(std::string("\xFF\xFE" "a\0=\0\xAC\x20", 8));
    EXPECT_EQ(u16.format, TextFormat::Utf16Le);
    EXPECT_TRUE(u16.hasBom);
    EXPECT_EQ(u16.text, L"a=\u20AC");

    DecodedText plain = decodeText("a=b");
    EXPECT_EQ(plain.format, TextFormat::Utf8);
    EXPECT_FALSE(plain.hasBom);
}

TEST(DecodeText, StrayBytesInUtf8TextKeepTheirCharacter) {
    DecodedText mixed = decodeText("caf\xC3\xA9=M\xFCller");
    EXPECT_EQ(mixed.format, TextFormat::Utf8);
    EXPECT_EQ(mixed.text, L"caf\u00E9=M" + ansiToWide("\xFC") + L"ller");
    EXPECT_EQ(mixed.text.find(L'\xFFFD'), std::wstring::npos);
}

TEST(EncodeText, AllFormatsAndTheAnsiFallback) {
    EXPECT_EQ(encodeText(L"\u00E9\U0001F600", TextFormat::Utf8, false), "\xC3\xA9\xF0\x9F\x98\x80");
    EXPECT_EQ(encodeText(L"a", TextFormat::Utf8, true), "\xEF\xBB\xBF" "a");
    EXPECT_EQ(encodeText(L"a\u20AC", TextFormat::Utf16Le, true), std::string("\xFF\xFE" "a\0\xAC\x20", 6));
    EXPECT_EQ(encodeText(L"a", TextFormat::Utf16Le, false), std::string("a\0", 2));
    std::string ansi;
    ASSERT_TRUE(wideToAnsi(L"M\u00FCller", ansi)) << "the test machine's code page holds u-umlaut";
    EXPECT_EQ(encodeText(L"M\u00FCller", TextFormat::Ansi, false), ansi);
    // A character beyond the code page: the whole text goes out as UTF-8 with a mark.
    EXPECT_EQ(encodeText(L"\u4E2D", TextFormat::Ansi, false), "\xEF\xBB\xBF\xE4\xB8\xAD");
}

TEST(TextLines, AllLineEndsAndTrimming) {
    auto lines = splitTextLines(L"a\r\nb\nc\rd\r\n\r\ne");
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], L"a");
    EXPECT_EQ(lines[3], L"d");
    EXPECT_EQ(lines[4], L"");
    EXPECT_EQ(lines[5], L"e");
    EXPECT_EQ(trimSpaces(L"  a b  "), L"a b");
    EXPECT_EQ(trimSpaces(L"\ta\t"), L"\ta\t") << "only the space character is trimmed";
    EXPECT_EQ(trimSpaces(L"   "), L"");
}

}  // namespace
