#pragma once
// Taking icons out of files and asking the shell for them. Every handle returned
// belongs to the caller (destroyIcon).

#include <string>

enum class IconSize { Large, Small };

// Icon `index` of a program, library or icon file; a negative index names a
// resource identifier. Null when the file has no such icon.
void* extractFileIcon(const std::wstring& file, int index, IconSize size);

// The icon the shell shows for a file or folder; null when it finds none (for
// example for a path that does not exist).
void* shellIconOf(const std::wstring& path, IconSize size);

// Where the shell keeps that icon in its own list of icons: files that show the
// same icon (documents of one type, say) share one number. -1 when it finds none.
int shellIconIndexOf(const std::wstring& path, IconSize size);

// The program's own icon (resource 1) at that size in pixels; shared by the
// system, never destroyed.
void* programIcon(int pixels);

// The system's default application icon, as a copy of one's own.
void* defaultApplicationIcon();

// Number of icons in the file (0 when none or unreadable).
int fileIconCount(const std::wstring& file);
