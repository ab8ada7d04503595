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

// True for a path on a server or on a drive that is not this computer's own
// disk (a network drive, one that is not there): reaching it may wait on the
// network for many seconds. Asks only the drive's type, never the drive.
bool mayWaitToAnswer(const std::wstring& path);
