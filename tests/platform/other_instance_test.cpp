#include "platform/other_instance.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

struct TitledWindow {
    HWND window = nullptr;
    TitledWindow(const std::wstring& title, uint32_t userData) {
        window = CreateWindowExW(0, L"STATIC", title.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        if (window) SetWindowLongPtrW(window, GWLP_USERDATA, static_cast<LONG_PTR>(userData));
    }
    ~TitledWindow() {
        if (window) DestroyWindow(window);
    }
};

TEST(OtherInstance, FoundByItsWholeTitleAndFingerprint) {
    std::wstring longTitle;
    for (int i = 0; i < 30; ++i) longTitle += L"Kivo";
    longTitle += L" ";
    TitledWindow other(longTitle, 0xFEEDF00Du);
    ASSERT_NE(other.window, nullptr) << "no display";
    EXPECT_EQ(findInstanceWindow(longTitle, 0xFEEDF00Du), other.window) << "a title of 121 characters";
    EXPECT_EQ(findInstanceWindow(longTitle.substr(0, 99), 0xFEEDF00Du), nullptr) << "not by its first 99";
    EXPECT_EQ(findInstanceWindow(longTitle, 0xFEEDF00Eu), nullptr) << "another data folder";
}

}  // namespace
