#include "platform/dialog_library.h"

namespace {

template <typename Function>
Function dialogFunction(HMODULE library, const char* name) {
    const FARPROC found = library ? GetProcAddress(library, name) : nullptr;
    // Through the generic function type, which stands for any other.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

}  // namespace

const DialogLibrary& dialogLibrary() {
    static const DialogLibrary library = [] {
        // Only from the system folder: a comdlg32.dll beside the program or in
        // the current folder (a data folder on a stick) is never loaded.
        HMODULE module = LoadLibraryExW(L"comdlg32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        DialogLibrary found;
        found.getOpenFileName = dialogFunction<GetOpenFileNameFunction>(module, "GetOpenFileNameW");
        found.chooseFont = dialogFunction<ChooseFontFunction>(module, "ChooseFontW");
        found.chooseColor = dialogFunction<ChooseColorFunction>(module, "ChooseColorW");
        return found;
    }();
    return library;
}
