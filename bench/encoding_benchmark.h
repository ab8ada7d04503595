#pragma once
// Reading 10 MB of unmarked UTF-8 text into wide characters: Kivo's detection
// and decoding against the system's conversion alone.
#include <string>

// Writes the file into the work folder and returns its bytes as read back.
std::string makeEncodingFile(const std::wstring& workFolder);

// Each returns the milliseconds of one run over bytes already in memory.
double kivoDecode(const std::string& bytes);
double bareDecode(const std::string& bytes);
