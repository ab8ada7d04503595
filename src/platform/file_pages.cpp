#include "platform/file_pages.h"

#include <windows.h>

namespace {

void release(FilePages& pages) {
    if (pages.data) VirtualFree(pages.data, 0, MEM_RELEASE);
    pages.data = nullptr;
    pages.size = 0;
}

struct ReadHandle {
    HANDLE handle;
    explicit ReadHandle(HANDLE h) : handle(h) {}
    ReadHandle(const ReadHandle&) = delete;
    ReadHandle& operator=(const ReadHandle&) = delete;
    ~ReadHandle() {
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
};

}  // namespace

FilePages::~FilePages() { release(*this); }

bool readFilePages(const std::wstring& path, FilePages& pages) {
    release(pages);
    ReadHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.handle == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.handle, &size) || size.QuadPart < 0 || size.QuadPart > 0x7FFFFFFF) return false;
    if (size.QuadPart == 0) return true;
    pages.data = static_cast<char*>(
        VirtualAlloc(nullptr, static_cast<SIZE_T>(size.QuadPart), MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    if (!pages.data) return false;
    const size_t capacity = static_cast<size_t>(size.QuadPart);
    while (pages.size < capacity) {
        DWORD got = 0;
        if (!ReadFile(file.handle, pages.data + pages.size, static_cast<DWORD>(capacity - pages.size), &got, nullptr)) {
            release(pages);
            return false;
        }
        if (got == 0) break;  // the file shrank while we read it
        pages.size += got;
    }
    return true;
}
