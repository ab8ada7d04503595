// The Windows entry point: hands the command line to the program's own main.
#include <windows.h>

#include <string>

int kivoMain(const std::wstring& commandLine);

namespace {

// Libraries that the system's own libraries load on demand, some through
// delay-load stubs that look beside the program first whatever the default
// folders are (Wine's common controls load uxtheme.dll so). Loaded by full
// path now, a later load by name finds them loaded.
const wchar_t* const kOnDemandLibraries[] = {L"uxtheme.dll", L"msimg32.dll", L"dwmapi.dll", L"propsys.dll",
                                            L"windowscodecs.dll"};

// Kivo runs from USB sticks and shared folders that anyone may write to. A DLL
// put beside kivo.exe (or in the current folder) under the name of one that
// Windows loads on demand would otherwise run inside Kivo; from here on every
// library comes from the system folder only. The libraries kivo.exe imports
// are all known system libraries, loaded from there before this runs.
void loadLibrariesFromSystemFolderOnly() {
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    SetDllDirectoryW(L"");
    SetSearchPathMode(BASE_SEARCH_PATH_ENABLE_SAFE_SEARCHMODE | BASE_SEARCH_PATH_PERMANENT);
    for (const wchar_t* name : kOnDemandLibraries) LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    loadLibrariesFromSystemFolderOnly();
    return kivoMain(commandLine ? std::wstring(commandLine) : std::wstring());
}
