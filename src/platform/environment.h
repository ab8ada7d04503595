#pragma once
// Process environment and user locale.
#include <cstdint>
#include <string>

enum class UnknownVariables { Keep, Drop };
// Replaces %NAME% references by their values; a reference to an unknown name
// stays as it is, or is removed with its "%" signs.
std::wstring expandEnvironment(const std::wstring& text, UnknownVariables unknown = UnknownVariables::Keep);

// False when the variable is not set.
bool readEnvironmentVariable(const std::wstring& name, std::wstring& value);
// Sets it for this process and every program it starts.
bool setEnvironmentVariable(const std::wstring& name, const std::wstring& value);

// The Windows folder or its system folder, where a program lands whose start
// folder the system could not enter.
bool isWindowsFolder(const std::wstring& folder);

// The English name of the user's language, such as "English" or "German".
std::wstring userLanguageEnglishName();
// Its own name, such as "English" or "Deutsch".
std::wstring userLanguageNativeName();

// The time of day as the system keeps it: whole seconds since 1601 (UTC).
uint64_t clockSeconds();
