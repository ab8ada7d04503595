#include "support/test_files.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <random>

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
