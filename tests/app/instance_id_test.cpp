#include <gtest/gtest.h>

#include "app/instance_id.h"
#include "launcher/window_modes.h"

namespace {

TEST(InstanceId, Crc32OfTheUtf16Bytes) {
    EXPECT_EQ(instanceIdOf(L""), 0u);
    // "1" as UTF-16LE is the bytes 31 00.
    EXPECT_EQ(instanceIdOf(L"1"), 0x8784154Du);
    EXPECT_EQ(instanceIdOf(L"C:\\Kivo\\"), 0xAA53DCE9u);
    EXPECT_NE(instanceIdOf(L"C:\\Kivo\\"), instanceIdOf(L"C:\\kivo\\")) << "the path as it is, letter case included";
    EXPECT_EQ(instanceIdOf(L"D:\\Gr\u00f6\u00dfe\\\u20ac\\"), 0x0CAB7D44u) << "both bytes of every unit";
}

TEST(Hotkey, LegacyLayoutIsConverted) {
    // Key 0x45, enabled bit 7 and Alt (1) in bits 8 to 11.
    EXPECT_EQ(convertLegacyHotkey(0x45 | 0x80 | 0x100), 0x45 | 0x8000 | 0x10000);
    EXPECT_EQ(convertLegacyHotkey(0), 0);
    EXPECT_EQ(convertLegacyHotkey(0x3804B), 0x3804B) << "already in the new layout";
    EXPECT_EQ(convertLegacyHotkey(0x100000 | 0x4B), 0x100000 | 0x4B) << "bit 20 set: not legacy";
}

}  // namespace
