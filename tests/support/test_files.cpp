#include "support/test_files.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <random>

#include "platform/text_codec.h"
#include "settings/ini_document.h"

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    std::random_device seed;
    path = std::filesystem::temp_directory_path() /
           (L"kivo-test-" + std::to_wstring(seed()) + L"-" + std::to_wstring(counter++));
    std::filesystem::create_directories(path);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

void writeBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readBytes(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string utf16Bytes(const std::wstring& text, bool bigEndian) {
    std::string bytes;
    for (wchar_t c : text) {
        bytes.push_back(static_cast<char>((bigEndian ? c >> 8 : c) & 0xFF));
        bytes.push_back(static_cast<char>((bigEndian ? c : c >> 8) & 0xFF));
    }
    return bytes;
}

std::string utf32Bytes(std::u32string_view units, bool bigEndian) {
    std::string bytes;
    for (char32_t u : units)
        for (int k = 0; k < 4; ++k) bytes.push_back(static_cast<char>((u >> (bigEndian ? 24 - 8 * k : 8 * k)) & 0xFF));
    return bytes;
}

std::string ansiBytes(const std::wstring& text) {
    std::string bytes;
    EXPECT_TRUE(wideToAnsi(text, bytes)) << "the code page cannot hold the test text";
    return bytes;
}

IniDocument settingsFile(const TempFolder& dir, const std::string& text) {
    IniDocument doc;
    doc.path = dir.file(L"Kivo.ini");
    writeBytes(doc.path, text);
    EXPECT_TRUE(load(doc));
    return doc;
}
