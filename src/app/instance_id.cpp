#include "app/instance_id.h"

#include "platform/files.h"
#include "platform/text_case.h"

namespace {

uint32_t addByte(uint32_t crc, uint8_t byte) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1u) ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
    return crc;
}

}  // namespace

uint32_t crc32OfUtf16(const std::wstring& text) {
    uint32_t crc = 0xFFFFFFFFu;
    for (wchar_t c : text) {
        const uint16_t unit = static_cast<uint16_t>(c);
        crc = addByte(crc, static_cast<uint8_t>(unit & 0xFF));
        crc = addByte(crc, static_cast<uint8_t>(unit >> 8));
    }
    return ~crc;
}

uint32_t instanceIdOf(const std::wstring& dataFolder) { return crc32OfUtf16(toUpperCase(fullPathName(dataFolder))); }
