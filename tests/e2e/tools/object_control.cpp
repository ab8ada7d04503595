// A process with a known number of objects, so that the tests can check that
// `probe objects` really counts:
//   object_control <icons> <bitmaps>
// makes that many copies of the application icon and that many 8x8 bitmaps,
// keeps them, and shows a window titled "object-control" until it is closed.
#include <windows.h>

#include <cwchar>

namespace {

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

int count(const wchar_t* text) {
    const long value = wcstol(text, nullptr, 10);
    return value > 0 && value < 30000 ? static_cast<int>(value) : 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    if (__argc != 3) return 2;
    const int icons = count(__wargv[1]);
    const int bitmaps = count(__wargv[2]);
    if (icons > 0) {
        HICON application = LoadIconW(nullptr, IDI_APPLICATION);
        for (int i = 0; i < icons; ++i) {
            if (!CopyIcon(application)) return 3;
        }
    }
    for (int i = 0; i < bitmaps; ++i) {
        if (!CreateBitmap(8, 8, 1, 1, nullptr)) return 3;
    }
    WNDCLASSW wc{};
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"KivoTestObjectControl";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"object-control", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 400,
                                  200, 100, nullptr, nullptr, instance, nullptr);
    if (!window) return 3;
    // A forgotten control must not outlive the test for long.
    SetTimer(window, 1, 120000, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER) DestroyWindow(window);
        DispatchMessageW(&msg);
    }
    return 0;
}
