#include <gtest/gtest.h>

#include "platform/text_codec.h"
#include "store/text_encoding.h"
#include "store/text_lines.h"
#include "store/text_writer.h"
#include "support/test_files.h"

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
    EXPECT_EQ(detectTextEncoding(std::string("\xC3\xA9x\0", 4), TextFormat::Ansi), TextFormat::Utf16Le);
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

TEST(DetectTextEncoding, StrayBytesOutnumberingUtf8PairsMakeAnsi) {
    // "Maß“" in code page 1252 holds DF 93, a well-formed UTF-8 pair.
    const std::string ansi = "M\xFCller=a\r\n\xC4rger=b\r\nMa\xDF\x93=c\r\n";
    EXPECT_EQ(detectTextEncoding(ansi, TextFormat::Utf8), TextFormat::Ansi);
    EXPECT_EQ(decodeText(ansi).text, ansiToWide(ansi));
    // A UTF-8 file with one stray byte stays UTF-8.
    EXPECT_EQ(detectTextEncoding("Gr\xC3\xBC\xC3\x9F" "e=M\xFCller", TextFormat::Utf8), TextFormat::Utf8);
    // A broken sequence counts once, as one stray.
    EXPECT_EQ(detectTextEncoding("\xC3\xA9 \xE2\x82x", TextFormat::Utf8), TextFormat::Utf8);
    EXPECT_EQ(detectTextEncoding("\xC3\xA9 \xE2\x82x \xFC", TextFormat::Utf8), TextFormat::Ansi);
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

TEST(DecodeText, Utf16BigEndianAndOddLengthsSurviveARoundTrip) {
    const std::string big("\xFE\xFF\0a\0=\x20\xAC\0\r\0\n", 12);
    DecodedText be = decodeText(big);
    EXPECT_EQ(be.format, TextFormat::Utf16Be);
    EXPECT_TRUE(be.hasBom);
    EXPECT_EQ(be.text, L"a=\u20AC\r\n");
    EXPECT_EQ(encodeText(be.text, be.format, be.hasBom), big);

    // The last byte has no partner: it stays, as a character of its own.
    const std::string odd("\xFF\xFE" "a\0=\0b", 7);
    DecodedText le = decodeText(odd);
    EXPECT_EQ(le.text, L"a=b");
    const std::string saved = encodeText(le.text, le.format, le.hasBom);
    EXPECT_EQ(saved, odd + std::string(1, '\0'));
    EXPECT_EQ(encodeText(decodeText(saved).text, le.format, le.hasBom), saved);
}

TEST(DecodeText, Utf32ByItsMarksOrItsZeroBytes) {
    const std::u32string units = U"a=\u20AC\U0001F600\xDC00\r\n";
    const std::wstring text = L"a=\u20AC\U0001F600\xDC00\r\n";
    const struct {
        std::string bytes;
        TextFormat format;
    } cases[] = {{std::string("\xFF\xFE\0\0", 4) + utf32Bytes(units), TextFormat::Utf32Le},
                 {std::string("\0\0\xFE\xFF", 4) + utf32Bytes(units, true), TextFormat::Utf32Be},
                 {utf32Bytes(units), TextFormat::Utf32Le},
                 {utf32Bytes(units, true), TextFormat::Utf32Be}};
    for (const auto& c : cases) {
        const DecodedText decoded = decodeText(c.bytes);
        EXPECT_EQ(decoded.format, c.format);
        EXPECT_EQ(decoded.text, text);
        EXPECT_EQ(encodeText(decoded.text, decoded.format, decoded.hasBom), c.bytes);
    }
    // Behind FF FE 00 00, bytes that are no whole UTF-32 units are UTF-16LE
    // starting with U+0000.
    const std::wstring nul(L"\0a=bc", 5);
    EXPECT_EQ(decodeText("\xFF\xFE" + utf16Bytes(nul)).text, nul);
    EXPECT_EQ(decodeText("\xFF\xFE" + utf16Bytes(nul.substr(0, 4))).text, nul.substr(0, 4));
    // Such text that would look like UTF-32LE is written in the other byte order.
    const std::wstring looksWide(L"\0\r\0", 3);
    EXPECT_EQ(decodeText(encodeText(looksWide, TextFormat::Utf16Le, true)).text, looksWide);
    TextWriter writer{TextFormat::Utf16Le, true};
    writeText(writer, looksWide);
    std::string content;
    EXPECT_FALSE(writtenContent(writer, content)) << "a writer keeps the form or writes nothing";
}

TEST(EncodeText, OutputThatBeginsLikeAMarkGetsTheMarkOfItsFormat) {
    struct Case {
        std::wstring text;
        TextFormat format;
    };
    const Case cases[] = {
        {L"\uFEFFkey=1", TextFormat::Utf8},     {L"\uFEFFkey=1", TextFormat::Utf16Le},
        {L"\uFFFEkey=1", TextFormat::Utf16Le},  {L"\uBBEF\u00BFk=1", TextFormat::Utf16Le},
        {L"\u00FF\u00FEkey=1", TextFormat::Ansi}, {L"\u00EF\u00BB\u00BFkey=1", TextFormat::Ansi},
    };
    for (const Case& c : cases) {
        const std::string bytes = encodeText(c.text, c.format, false);
        DecodedText back = decodeText(bytes);
        EXPECT_TRUE(back.hasBom) << testing::PrintToString(bytes);
        EXPECT_EQ(back.text, c.text) << testing::PrintToString(bytes);
    }
    EXPECT_EQ(encodeText(L"key=\u00FF\u00FE", TextFormat::Ansi, false), ansiBytes(L"key=\u00FF\u00FE"))
        << "only the very beginning counts";
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

TEST(EncodeText, UnmarkedOutputThatWouldBeReadInAnotherFormatGetsAMark) {
    // ANSI that lost the line whose stray byte made it ANSI ("Maß“" holds the
    // UTF-8 pair DF 93): detection would now take it for UTF-8.
    const std::wstring ansiText = ansiToWide("\xC4rger=b.exe\r\nMa\xDF\x93=c.exe\r\n");
    const DecodedText ansi = decodeText(encodeText(ansiText, TextFormat::Ansi, false));
    EXPECT_EQ(ansi.text, ansiText);
    EXPECT_EQ(ansi.format, TextFormat::Utf8);
    EXPECT_TRUE(ansi.hasBom);
    EXPECT_EQ(encodeText(L"M\u00FCller=a", TextFormat::Ansi, false), ansiBytes(L"M\u00FCller=a"));
    EXPECT_EQ(encodeText(L"plain=a", TextFormat::Ansi, false), "plain=a");

    // A zero byte means UTF-16, its absence anything else; where most zero bytes
    // fall tells the byte order.
    const std::wstring zero(L"a=\0b", 4);
    const std::wstring noZeroByte = L"\u4E2D\u6587";
    const struct {
        std::wstring text;
        TextFormat format;
    } cases[] = {{zero, TextFormat::Utf8}, {zero, TextFormat::Ansi}, {noZeroByte, TextFormat::Utf16Le},
                 {L"\u4E00\u4E01", TextFormat::Utf16Le}, {L"\u0100\u0200=", TextFormat::Utf16Be}};
    for (const auto& c : cases) {
        const DecodedText back = decodeText(encodeText(c.text, c.format, false));
        EXPECT_TRUE(back.hasBom) << static_cast<int>(c.format);
        EXPECT_EQ(back.text, c.text) << static_cast<int>(c.format);
    }
    EXPECT_EQ(encodeText(L"a", TextFormat::Utf16Le, false), std::string("a\0", 2)) << "a zero byte: no mark";
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
