// The program's main: start-up, the outer loop, the exit. A start-up that ends
// the program early (another instance, a refused folder, no window) saves
// nothing.
#include <string>

#include "app/program_run.h"

int kivoMain(const std::wstring& commandLine) {
    if (!startProgram(commandLine)) return 0;
    runOuterLoop();
    exitProgram();
    return 0;
}
