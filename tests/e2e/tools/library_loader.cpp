// Loads a library by its bare name the way a program does that takes no care
// where it comes from, and prints the path it was loaded from: the control
// that shows a planted library would be found.
#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    HMODULE library = LoadLibraryW(argv[1]);
    if (!library) return 1;
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(library, path, MAX_PATH);
    printf("%ls\n", length ? path : L"?");
    return 0;
}
