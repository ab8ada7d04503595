#pragma once
// Real files in a fresh folder for each test.
#include <filesystem>
#include <string>
#include <string_view>

struct TempFolder {
    std::filesystem::path path;
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();
    std::wstring file(const std::wstring& name) const { return (path / name).wstring(); }
};

void writeBytes(const std::wstring& path, const std::string& bytes);
std::string readBytes(const std::wstring& path);

// Text in the byte forms of Kivo's files (no byte-order marks added).
std::string utf16Bytes(const std::wstring& text, bool bigEndian = false);
// Any unit value, so surrogates and values beyond U+10FFFF as well.
std::string utf32Bytes(std::u32string_view units, bool bigEndian = false);
std::string ansiBytes(const std::wstring& text);  // the test fails if the code page lacks a character

struct IniDocument;
// A settings document loaded from a file "Kivo.ini" in `dir` holding `text`.
IniDocument settingsFile(const TempFolder& dir, const std::string& text);
