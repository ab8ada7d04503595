#pragma once
// Real files in a fresh folder for each test.
#include <filesystem>
#include <string>

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
