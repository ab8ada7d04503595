#pragma once
// Process environment and user locale.
#include <string>

// Replaces %NAME% references by their values; unknown names stay as they are.
std::wstring expandEnvironment(const std::wstring& text);

// The English name of the user's language, such as "English" or "German".
std::wstring userLanguageEnglishName();
