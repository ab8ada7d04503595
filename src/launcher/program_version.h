#pragma once
// The program's version: shown in the About window and written into the
// version information of kivo.exe (res/kivo.rc includes this file).
#define KIVO_VERSION_BIN 2, 31, 0, 20
#define KIVO_VERSION_TEXT "2.31 beta 20"
