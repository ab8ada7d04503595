#include <gtest/gtest.h>

#include "app/instance_id.h"
#include "launcher/window_modes.h"

namespace {

TEST(InstanceId, Crc32OfTheUtf16Bytes) {
    EXPECT_EQ(crc32OfUtf16(L""), 0u);
    // "1" as UTF-16LE is the bytes 31 00.
    EXPECT_EQ(crc32OfUtf16(L"1"), 0x8784154Du);
    EXPECT_EQ(crc32OfUtf16(L"C:\\Kivo\\"), 0xAA53DCE9u);
    EXPECT_EQ(crc32OfUtf16(L"D:\\Gr\u00f6\u00dfe\\\u20ac\\"), 0x0CAB7D44u) << "both bytes of every unit";
}

TEST(InstanceId, OneFolderHowEverItIsSpelled) {
    EXPECT_EQ(instanceIdOf(L"C:\\Kivo\\"), crc32OfUtf16(L"C:\\KIVO\\"));
    EXPECT_EQ(instanceIdOf(L"c:\\kivo\\"), instanceIdOf(L"C:\\Kivo\\"));
    EXPECT_EQ(instanceIdOf(L"D:\\gr\u00f6\u00dfe\\"), instanceIdOf(L"D:\\GR\u00d6\u00dfE\\"));
    EXPECT_EQ(instanceIdOf(L"C:\\Kivo\\Data\\..\\"), instanceIdOf(L"C:\\KIVO\\"));
    EXPECT_NE(instanceIdOf(L"C:\\Kivo\\"), instanceIdOf(L"C:\\Kivo2\\"));
}

TEST(Hotkey, LegacyLayoutIsConverted) {
    // Key 0x45, enabled bit 7 and Alt (1) in bits 8 to 11.
    EXPECT_EQ(convertLegacyHotkey(0x45 | 0x80 | 0x100), 0x45 | 0x8000 | 0x10000);
    EXPECT_EQ(convertLegacyHotkey(0), 0);
    EXPECT_EQ(convertLegacyHotkey(0x3804B), 0x3804B) << "already in the new layout";
    EXPECT_EQ(convertLegacyHotkey(0x100000 | 0x4B), 0x100000 | 0x4B) << "bit 20 set: not legacy";
}

}  // namespace
