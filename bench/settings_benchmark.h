#pragma once
// Loading and saving a settings file of 64 groups and 1,000 lines: Kivo's own
// settings code against the system's profile functions.
#include <string>
#include <vector>

struct SettingsFiles {
    std::wstring kivoFile;  // each side reads and writes its own copy
    std::wstring bareFile;
};
SettingsFiles makeSettingsFiles(const std::wstring& workFolder);

// Each returns the milliseconds of one run, NaN when it failed.
double kivoSettingsLoad(const std::wstring& path);
double bareSettingsLoad(const std::wstring& path);
// Every key gets the value of round `round`, then the file is written.
double kivoSettingsSave(const std::wstring& path, int round);
double bareSettingsSave(const std::wstring& path, int round);
