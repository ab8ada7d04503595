#include "platform/icon_handle.h"

#include <windows.h>

void destroyIcon(void* icon) { DestroyIcon(static_cast<HICON>(icon)); }
