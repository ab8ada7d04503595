#pragma once
// A whole file read into pages of its own, given back to the system as soon as
// they are dropped. The heap keeps a freed block of a few hundred kilobytes
// resident for good; a long category read through it would leave its size
// behind for the rest of the session.
#include <cstddef>
#include <string>
#include <string_view>

struct FilePages {
    char* data = nullptr;
    size_t size = 0;
    FilePages() = default;
    FilePages(const FilePages&) = delete;
    FilePages& operator=(const FilePages&) = delete;
    ~FilePages();
    std::string_view bytes() const { return std::string_view(data, size); }
};

// Reads the whole file as readWholeFile does; false when it cannot be opened or
// read (then `pages` holds nothing).
bool readFilePages(const std::wstring& path, FilePages& pages);
