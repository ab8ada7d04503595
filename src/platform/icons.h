#pragma once
// Taking icons out of files and asking the shell for them. Every handle returned
// belongs to the caller (destroyIcon).

#include <cstdint>
#include <string>
#include <string_view>

enum class IconSize { Large, Small };

// The side in pixels of the system's large or small icons on a display of that
// DPI (ui_windows.h): 32 and 16 at 96 DPI, 48 and 24 at 144.
int iconPixels(IconSize size, int dpi);

// Icon `index` of a program, library or icon file, `pixels` square, made from
// the file's image of the size nearest to it (one of that size where the file
// has one, as icon files carry several); a negative index names a resource
// identifier. Null when the file has no such icon.
void* extractFileIcon(const std::wstring& file, int index, int pixels);

// The icon the shell shows for a file or folder, `pixels` square; null when it
// finds none (for example for a path that does not exist).
void* shellIconOf(const std::wstring& path, int pixels);

// Where the shell keeps that icon in its own list of icons: files that show the
// same icon (documents of one type, say) share one number, whatever its size.
// -1 when it finds none.
int shellIconIndexOf(const std::wstring& path);

// The program's own icon (resource 1) at that size in pixels; shared by the
// system, never destroyed.
void* programIcon(int pixels);

// The system's default application icon, `pixels` square, as one's own.
void* defaultApplicationIcon(int pixels);

// Number of icons in the file (0 when none or unreadable).
int fileIconCount(const std::wstring& file);

// The system trusts an icon or cursor file's directory and reads wherever it
// points, so a malformed one can crash the program. `head` holds the file's first
// bytes (with the whole directory, when there is one) and `fileSize` its size.
// False for a file that starts as an icon or cursor file does but whose directory
// is not wholly inside the file, or whose images are not; true for every other
// file (programs and libraries are the system's to judge).
bool iconDirectorySound(std::string_view head, uint64_t fileSize);
// The same for a file on disk; true when it cannot be read (the system then
// finds no icon in it either). Every function here that reads a file's icons
// asks it first.
bool iconFileSound(const std::wstring& file);
