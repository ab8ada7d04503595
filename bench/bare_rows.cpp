#include "bare_rows.h"

#include <windows.h>

namespace {

std::string fileBytes(const wchar_t* path) {
    std::string bytes;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file, &size)) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) read = 0;
        bytes.resize(read);
    }
    CloseHandle(file);
    return bytes;
}

}  // namespace

std::vector<Row> readRows(const wchar_t* path) {
    const std::string bytes = fileBytes(path);
    const size_t skip = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    const int byteCount = static_cast<int>(bytes.size() - skip);
    const int length = MultiByteToWideChar(CP_UTF8, 0, bytes.data() + skip, byteCount, nullptr, 0);
    std::wstring text(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data() + skip, byteCount, text.data(), length);
    std::vector<Row> rows;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        std::wstring line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        const size_t equals = line.find(L'=');
        if (equals == std::wstring::npos || equals == 0) continue;
        const size_t semicolon = line.find(L';', equals + 1);
        const size_t commandEnd = semicolon == std::wstring::npos ? line.size() : semicolon;
        rows.push_back(Row{line.substr(0, equals), line.substr(equals + 1, commandEnd - equals - 1)});
    }
    return rows;
}
