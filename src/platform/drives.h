#pragma once
// Facts about the drive a path lives on.
#include <string>

constexpr unsigned kDriveRemovable = 2;
constexpr unsigned kDriveFixed = 3;
constexpr unsigned kDriveCdrom = 5;

// GetDriveTypeW of a root such as "E:\".
unsigned driveType(const std::wstring& root);
// The volume reports itself read-only (write-protected media).
bool volumeIsReadOnly(const std::wstring& root);
