#include "platform/system_library.h"

#include <windows.h>

SystemFunction systemLibraryFunction(const wchar_t* library, const char* name) {
    // A library once loaded stays for the rest of the program's life.
    HMODULE module = GetModuleHandleW(library);
    if (!module) module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    const FARPROC found = module ? GetProcAddress(module, name) : nullptr;
    return reinterpret_cast<SystemFunction>(found);
}
