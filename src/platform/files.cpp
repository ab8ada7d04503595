#include "platform/files.h"

#include <windows.h>

#include "platform/process.h"

namespace {

// Paths from this length on go to the system in their long form: a folder is
// made only with room for a file name of 8.3 characters below the plain limit.
constexpr size_t kLongFormFrom = kPlainPathLimit - 12;

bool isSlash(wchar_t c) { return c == L'\\' || c == L'/'; }
bool isUncOrDevice(const std::wstring& path) { return path.size() >= 2 && isSlash(path[0]) && isSlash(path[1]); }
bool startsWithDrive(const std::wstring& path) { return path.size() >= 2 && path[1] == L':'; }

// The path as the file functions take it: a short one as it is, so that the
// system's usual rules for names apply as they always did; a relative one made
// absolute (the system's current directory may not be Kivo's, see
// setCurrentDirectory); one too long for a plain path in its long form.
std::wstring systemPath(const std::wstring& path) {
    const bool absolute = isUncOrDevice(path) || (startsWithDrive(path) && path.size() > 2 && isSlash(path[2]));
    const std::wstring full = absolute ? path : fullPathName(path);
    return full.size() < kLongFormFrom ? full : longPathForm(full);
}

// A relative path given against the folder that stands in for the current
// directory, where there is one; any other path as it is.
std::wstring againstWorkingFolder(const std::wstring& path) {
    const std::wstring& folder = folderInPlaceOfCurrent();
    if (folder.empty() || isUncOrDevice(path) || path.empty()) return path;
    if (isSlash(path[0])) {  // from the root of the folder's drive or share
        const size_t root = isUncOrDevice(folder) ? folder.find(L'\\', folder.find(L'\\', 2) + 1) : 2;
        return folder.substr(0, root) + path;
    }
    if (!startsWithDrive(path)) return folder + path;
    // "E:file" means the current folder of drive E:, which is this folder's drive.
    const bool sameDrive =
        startsWithDrive(folder) && CompareStringOrdinal(folder.c_str(), 1, path.c_str(), 1, TRUE) == CSTR_EQUAL;
    return sameDrive && (path.size() == 2 || !isSlash(path[2])) ? folder + path.substr(2) : path;
}

// Owns one kernel file handle.
struct FileHandle {
    HANDLE handle = INVALID_HANDLE_VALUE;
    explicit FileHandle(HANDLE h) : handle(h) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { close(); }
    bool valid() const { return handle != INVALID_HANDLE_VALUE; }
    bool close() {
        if (!valid()) return true;
        BOOL ok = CloseHandle(handle);
        handle = INVALID_HANDLE_VALUE;
        return ok != FALSE;
    }
};

// The file opened to be read whole, and its size; an invalid handle when it
// cannot be opened or is larger than 2 GB.
HANDLE openWholeFile(const std::wstring& path, size_t& size) {
    FileHandle file(CreateFileW(systemPath(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER length{};
    if (!file.valid() || !GetFileSizeEx(file.handle, &length) || length.QuadPart < 0 || length.QuadPart > 0x7FFFFFFF)
        return INVALID_HANDLE_VALUE;
    size = static_cast<size_t>(length.QuadPart);
    const HANDLE handle = file.handle;
    file.handle = INVALID_HANDLE_VALUE;
    return handle;
}

// Reads up to `capacity` bytes; `done` tells how many, fewer when the file
// shrank while it was read.
bool readAll(HANDLE file, char* into, size_t capacity, size_t& done) {
    done = 0;
    while (done < capacity) {
        DWORD got = 0;
        if (!ReadFile(file, into + done, static_cast<DWORD>(capacity - done), &got, nullptr)) return false;
        if (got == 0) break;
        done += got;
    }
    return true;
}

void releasePages(FilePages& pages) {
    if (pages.data) VirtualFree(pages.data, 0, MEM_RELEASE);
    pages.data = nullptr;
    pages.size = 0;
}

bool writeAll(HANDLE file, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        size_t left = bytes.size() - done;
        DWORD chunk = left > 0x10000000u ? 0x10000000u : static_cast<DWORD>(left);
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

bool setFileLength(HANDLE file, uint64_t length) {
    LARGE_INTEGER at{};
    at.QuadPart = static_cast<LONGLONG>(length);
    return SetFilePointerEx(file, at, nullptr, FILE_BEGIN) && SetEndOfFile(file);
}

// The file a symbolic link finally leads to; the path itself for anything else.
// Replacing the link by a new file would leave its target behind, unchanged.
// Asked of every existing file: links of the file system beneath (as under Wine)
// carry no reparse-point attribute.
std::wstring finalTarget(const std::wstring& path, DWORD attributes) {
    if (attributes == INVALID_FILE_ATTRIBUTES) return path;
    FileHandle file(CreateFileW(systemPath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid()) return path;
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetFinalPathNameByHandleW(file.handle, buffer.data(), static_cast<DWORD>(buffer.size()),
                                            FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (n == 0) return path;
        if (n < buffer.size()) {
            buffer.resize(n);
            return plainPathForm(buffer);
        }
        buffer.resize(n + 1);
    }
}

enum class Replaced { Done, NoNewFile, Failed };

// Both paths as systemPath gives them.
Replaced writeBesideAndRename(const std::wstring& target, const std::wstring& temp, const std::string& bytes,
                              DWORD oldAttributes) {
    {
        FileHandle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        // Only a folder that refuses new files calls for the in-place write; a
        // name in use or a full disk would make it write over the one good copy.
        if (!file.valid()) return GetLastError() == ERROR_ACCESS_DENIED ? Replaced::NoNewFile : Replaced::Failed;
        bool ok = writeAll(file.handle, bytes) && FlushFileBuffers(file.handle) != FALSE;
        ok = file.close() && ok;
        if (!ok) {
            DeleteFileW(temp.c_str());
            return Replaced::Failed;
        }
    }
    // A rename within one folder is atomic; ReplaceFileW would keep a few more of the
    // old file's properties, but under some systems it leaves a backup file behind
    // when it fails.
    if (!MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temp.c_str());
        return Replaced::Failed;
    }
    if (oldAttributes != INVALID_FILE_ATTRIBUTES && GetFileAttributesW(target.c_str()) != oldAttributes)
        SetFileAttributesW(target.c_str(), oldAttributes);
    return Replaced::Done;
}

// For a folder where existing files may be written but no file created. The file
// is first given room for the longer of its old and new content, so that a full
// disk stops the write before any byte of the old content is touched. The path
// as systemPath gives it.
bool writeInPlace(const std::wstring& target, const std::string& bytes) {
    FileHandle file(CreateFileW(target.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    LARGE_INTEGER oldSize{};
    if (!GetFileSizeEx(file.handle, &oldSize)) return false;
    const uint64_t room = bytes.size() > static_cast<uint64_t>(oldSize.QuadPart) ? bytes.size() : oldSize.QuadPart;
    if (!setFileLength(file.handle, room)) {
        setFileLength(file.handle, static_cast<uint64_t>(oldSize.QuadPart));
        return false;
    }
    LARGE_INTEGER start{};
    bool ok = SetFilePointerEx(file.handle, start, nullptr, FILE_BEGIN) && writeAll(file.handle, bytes) &&
              setFileLength(file.handle, bytes.size()) && FlushFileBuffers(file.handle) != FALSE;
    return file.close() && ok;
}

// A path component may have 255 UTF-16 units; under Wine the Linux file system
// counts its UTF-8 bytes instead, also at most 255.
bool fitsAsName(const std::wstring& name) {
    size_t bytes = 0;
    for (wchar_t c : name) bytes += c < 0x80 ? 1 : c < 0x800 ? 2 : (c >= 0xD800 && c <= 0xDFFF) ? 2 : 3;
    return name.size() <= 255 && bytes <= 255;
}

std::wstring hashText(const std::wstring& text) {
    uint32_t hash = 2166136261u;  // FNV-1a
    for (wchar_t c : text) hash = (hash ^ static_cast<uint16_t>(c)) * 16777619u;
    std::wstring hex(8, L'0');
    for (int i = 7; i >= 0; --i, hash >>= 4) hex[i] = L"0123456789abcdef"[hash & 0xF];
    return hex;
}

}  // namespace

std::wstring siblingTempName(const std::wstring& target, uint32_t processId) {
    const std::wstring suffix = L"." + std::to_wstring(processId) + L".new";
    const size_t nameStart = target.find_last_of(L"\\/") + 1;  // 0 without a folder
    const std::wstring name = target.substr(nameStart);
    if (fitsAsName(name + suffix)) return target + suffix;
    // The end of the stem gives way to a hash of the whole name; the extension
    // stays, so the clean-up at start still knows whose file it is.
    const size_t dot = name.rfind(L'.');
    const std::wstring extension = dot != std::wstring::npos && name.size() - dot <= 16 ? name.substr(dot) : L"";
    const std::wstring tail = L"~" + hashText(name) + extension + suffix;
    std::wstring stem = name.substr(0, name.size() - extension.size());
    while (!stem.empty() && !fitsAsName(stem + tail)) {
        stem.pop_back();
        if (!stem.empty() && stem.back() >= 0xD800 && stem.back() <= 0xDBFF) stem.pop_back();  // half a pair
    }
    return target.substr(0, nameStart) + stem + tail;
}

bool parseSiblingTempName(const std::wstring& name, std::wstring& target, uint32_t& processId) {
    const std::wstring suffix = L".new";
    if (name.size() <= suffix.size() || name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    const size_t digitsEnd = name.size() - suffix.size();
    const size_t dot = name.rfind(L'.', digitsEnd - 1);
    if (dot == std::wstring::npos || dot == 0 || dot + 1 == digitsEnd || digitsEnd - dot - 1 > 10) return false;
    uint64_t id = 0;
    for (size_t i = dot + 1; i < digitsEnd; ++i) {
        if (name[i] < L'0' || name[i] > L'9') return false;
        id = id * 10 + static_cast<uint64_t>(name[i] - L'0');
    }
    if (id > 0xFFFFFFFFu) return false;
    target = name.substr(0, dot);
    processId = static_cast<uint32_t>(id);
    return true;
}

bool readWholeFile(const std::wstring& path, std::string& bytes) {
    bytes.clear();
    size_t size = 0;
    FileHandle file(openWholeFile(path, size));
    if (!file.valid()) return false;
    bytes.resize(size);
    size_t done = 0;
    if (!readAll(file.handle, bytes.data(), size, done)) {
        bytes.clear();
        return false;
    }
    bytes.resize(done);
    return true;
}

FilePages::~FilePages() { releasePages(*this); }

bool readFilePages(const std::wstring& path, FilePages& pages) {
    releasePages(pages);
    size_t size = 0;
    FileHandle file(openWholeFile(path, size));
    if (!file.valid()) return false;
    if (size == 0) return true;
    pages.data = static_cast<char*>(VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    if (!pages.data) return false;
    if (!readAll(file.handle, pages.data, size, pages.size)) {
        releasePages(pages);
        return false;
    }
    return true;
}

bool replaceFileContent(const std::wstring& path, const std::string& bytes) {
    const std::wstring full = fullPathName(path);
    const std::wstring plainTarget = finalTarget(full, GetFileAttributesW(systemPath(full).c_str()));
    const std::wstring target = systemPath(plainTarget);
    const DWORD oldAttributes = GetFileAttributesW(target.c_str());
    if (oldAttributes != INVALID_FILE_ATTRIBUTES &&
        (oldAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
        return false;

    const std::wstring temp = systemPath(siblingTempName(plainTarget, GetCurrentProcessId()));
    switch (writeBesideAndRename(target, temp, bytes, oldAttributes)) {
        case Replaced::Done: return true;
        // A folder that lets its files be written but no file be created: the old
        // way is the only way. Any other failure has left the old file whole, and
        // so it stays.
        case Replaced::NoNewFile: return writeInPlace(target, bytes);
        case Replaced::Failed: break;
    }
    return false;
}

uint32_t fileAttributes(const std::wstring& path) {
    DWORD a = GetFileAttributesW(systemPath(path).c_str());
    return a == INVALID_FILE_ATTRIBUTES ? kNoFileAttributes : static_cast<uint32_t>(a);
}

bool setFileAttributes(const std::wstring& path, uint32_t attributes) {
    return SetFileAttributesW(systemPath(path).c_str(), attributes) != FALSE;
}

bool fileExists(const std::wstring& path) {
    uint32_t a = fileAttributes(path);
    return a != kNoFileAttributes && (a & kFileAttributeDirectory) == 0;
}

bool folderExists(const std::wstring& path) {
    uint32_t a = fileAttributes(path);
    return a != kNoFileAttributes && (a & kFileAttributeDirectory) != 0;
}

bool fileSize(const std::wstring& path, uint64_t& size) {
    size = 0;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(systemPath(path).c_str(), GetFileExInfoStandard, &data)) return false;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return true;
}

bool fileWriteTime(const std::wstring& path, uint64_t& time) {
    time = 0;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(systemPath(path).c_str(), GetFileExInfoStandard, &data)) return false;
    time = (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
    return true;
}

bool fileStamp(const std::wstring& path, FileStamp& stamp) {
    stamp = FileStamp{};
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(systemPath(path).c_str(), GetFileExInfoStandard, &data)) return false;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    stamp.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    stamp.writeTime =
        (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
    return true;
}

bool createFolderPath(const std::wstring& folder) {
    std::wstring path = fullPathName(folder);
    while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
    if (folderExists(path)) return true;
    // One level after the other below the root; levels that cannot be made (a
    // server name, a share) are simply passed.
    for (size_t i = path.find_first_of(L"\\/", 3);; i = path.find_first_of(L"\\/", i + 1)) {
        std::wstring level = path.substr(0, i);
        if (!folderExists(level)) CreateDirectoryW(systemPath(level).c_str(), nullptr);
        if (i == std::wstring::npos) break;
    }
    return folderExists(path);
}

std::vector<std::wstring> listFiles(const std::wstring& folder, const std::wstring& pattern, bool* readable) {
    std::vector<std::wstring> names;
    std::wstring query = folder;
    if (!query.empty() && query.back() != L'\\') query += L'\\';
    query += pattern;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(systemPath(query).c_str(), &found);
    // No file of the pattern is an answer too; a missing folder, a path too
    // long or a denied listing is none.
    DWORD end = search == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_NO_MORE_FILES;
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(found.cFileName);
        } while (FindNextFileW(search, &found));
        end = GetLastError();
        FindClose(search);
    }
    if (readable) *readable = end == ERROR_NO_MORE_FILES || end == ERROR_FILE_NOT_FOUND;
    return names;
}

std::vector<FolderEntry> listFolder(const std::wstring& folder) {
    std::vector<FolderEntry> entries;
    std::wstring query = folder;
    if (!query.empty() && query.back() != L'\\') query += L'\\';
    query += L'*';
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileExW(systemPath(query).c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                     nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE) return entries;
    do {
        const std::wstring_view name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        FolderEntry entry;
        entry.name = found.cFileName;
        entry.folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.link = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        entry.stamp.size = (static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        entry.stamp.writeTime =
            (static_cast<uint64_t>(found.ftLastWriteTime.dwHighDateTime) << 32) | found.ftLastWriteTime.dwLowDateTime;
        entries.push_back(std::move(entry));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return entries;
}

std::wstring fullPathName(const std::wstring& path) {
    if (path.empty()) return path;
    const std::wstring given = againstWorkingFolder(path);
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetFullPathNameW(given.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
        if (n == 0) return path;
        if (n < buffer.size()) {
            buffer.resize(n);
            return buffer;
        }
        buffer.resize(n);  // n is the size needed, terminator included
    }
}

std::wstring longPathForm(const std::wstring& path) {
    if (path.rfind(L"\\\\?\\", 0) == 0 || path.rfind(L"\\\\.\\", 0) == 0) return path;
    // The system takes the long form as it stands: "." and "..", "/" and
    // trailing dots must be resolved before.
    const std::wstring full = fullPathName(path);
    if (full.rfind(L"\\\\?\\", 0) == 0 || full.rfind(L"\\\\.\\", 0) == 0) return full;
    if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    if (full.size() >= 3 && full[1] == L':' && full[2] == L'\\') return L"\\\\?\\" + full;
    return full;  // nothing the long form can name
}

std::wstring plainPathForm(const std::wstring& path) {
    if (path.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\\\" + path.substr(8);
    if (path.rfind(L"\\\\?\\", 0) == 0 && path.size() >= 6 && path[5] == L':') return path.substr(4);
    return path;
}

bool deleteFile(const std::wstring& path) { return DeleteFileW(systemPath(path).c_str()) != FALSE; }

bool renameFile(const std::wstring& from, const std::wstring& to) {
    return MoveFileExW(systemPath(from).c_str(), systemPath(to).c_str(), MOVEFILE_COPY_ALLOWED) != FALSE;
}
