// The Windows entry point: hands the command line to the program's own main.
#include <windows.h>

#include <string>

int kivoMain(const std::wstring& commandLine);

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    return kivoMain(commandLine ? std::wstring(commandLine) : std::wstring());
}
