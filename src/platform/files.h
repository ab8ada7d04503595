#pragma once
// Whole-file reading and crash-safe whole-file writing, paths and attributes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Attribute value of a path that does not exist or cannot be queried.
constexpr uint32_t kNoFileAttributes = 0xFFFFFFFFu;
constexpr uint32_t kFileAttributeReadOnly = 0x1;
constexpr uint32_t kFileAttributeHidden = 0x2;
constexpr uint32_t kFileAttributeDirectory = 0x10;

// Reads the whole file as raw bytes; false when it cannot be opened or read
// (then `bytes` is left empty).
bool readWholeFile(const std::wstring& path, std::string& bytes);

// A whole file read into pages of its own, given back to the system as soon as
// they are dropped. The heap keeps a freed block of a few hundred kilobytes
// resident for good; a long category read through it would leave its size
// behind for the rest of the session.
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

// Gives the file `bytes` as its complete new content. The bytes go to a new file
// beside it first, which then takes the old file's place (keeping its attributes),
// so a crash, a kill or a full disk leaves either the old or the new content.
// Only where the folder refuses new files (access denied) is the file written in
// place, after room for the new content was secured; any other failure to make
// the new file (a name in use, a full disk) fails the save. A symbolic link's
// final target is written, not the link. A read-only file is refused like an
// in-place write would be. On failure nothing on disk has changed.
bool replaceFileContent(const std::wstring& path, const std::string& bytes);

// The new file that replaceFileContent writes beside `target` first:
// "<target>.<process id>.new". Where that name would be too long for a path
// component, the end of the target's stem gives way to "~" and a hash of its
// name (the extension stays). A kill during a save can leave it behind.
std::wstring siblingTempName(const std::wstring& target, uint32_t processId);
// Takes such a name apart; false for any other name.
bool parseSiblingTempName(const std::wstring& name, std::wstring& target, uint32_t& processId);
bool deleteFile(const std::wstring& path);
// Gives the file another name (another letter case too); never replaces an
// existing file.
bool renameFile(const std::wstring& from, const std::wstring& to);

uint32_t fileAttributes(const std::wstring& path);
bool setFileAttributes(const std::wstring& path, uint32_t attributes);
bool fileExists(const std::wstring& path);    // an existing file, not a folder
bool folderExists(const std::wstring& path);
// Size in bytes of an existing file; false for a folder or a missing file.
bool fileSize(const std::wstring& path, uint64_t& size);
// When the file was last written, in 100-nanosecond steps since 1601 (the
// system's file time); false for a missing file.
bool fileWriteTime(const std::wstring& path, uint64_t& time);
// Size and last write time of a file, both from one query: cheap enough to
// ask for many files at every letter typed.
struct FileStamp {
    uint64_t size = 0;
    uint64_t writeTime = 0;
    bool operator==(const FileStamp&) const = default;
};
// False for a folder or a missing file.
bool fileStamp(const std::wstring& path, FileStamp& stamp);

// Creates the folder and every missing folder above it; true when it exists
// afterwards.
bool createFolderPath(const std::wstring& folder);

// Names of the regular files in `folder` that match `pattern` (such as "*.kvl"),
// in the order the file system lists them. `readable`, when given, tells a
// folder that holds no such file from one that could not be listed at all.
std::vector<std::wstring> listFiles(const std::wstring& folder, const std::wstring& pattern,
                                    bool* readable = nullptr);

// One entry of a folder as its listing gives it, without a query of its own.
struct FolderEntry {
    std::wstring name;
    bool folder = false;
    bool link = false;  // a junction or symbolic link, which may lead back up the tree
    FileStamp stamp;    // of a file
};
// Every entry of `folder` but "." and "..", in the order the file system lists them.
std::vector<FolderEntry> listFolder(const std::wstring& folder);

// Absolute form of a path (relative names resolve against the current directory,
// see setCurrentDirectory); the path itself when it cannot be resolved.
std::wstring fullPathName(const std::wstring& path);

// Characters a plain path may have, its terminating zero included; a longer one
// works only in the long form below (or where the system allows long paths).
constexpr size_t kPlainPathLimit = 260;
// The long form of a path, which the file functions take at any length:
// "\\?\C:\dir\file", "\\?\UNC\server\share\file"; a relative path is made
// absolute first, and one already in that form (or a device path) stays as it is.
std::wstring longPathForm(const std::wstring& path);
// The usual form of a path given in the long form; any other path as it is.
std::wstring plainPathForm(const std::wstring& path);
