#pragma once
// The fingerprint by which another instance recognises a launcher window that
// works on the same data folder.
#include <cstdint>
#include <string>

// CRC-32 (reflected polynomial 0xEDB88320, all ones in and out) of the text's
// UTF-16LE bytes.
uint32_t crc32OfUtf16(const std::wstring& text);

// The CRC-32 of the data folder's full path in capitals: Windows paths ignore
// letter case, so one folder has one fingerprint however it was spelled.
uint32_t instanceIdOf(const std::wstring& dataFolder);
