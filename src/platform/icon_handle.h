#pragma once
// Icons owned by whoever holds them.
#include "platform/owned_handle.h"

void destroyIcon(void* icon);
using IconHandle = OwnedHandle<destroyIcon>;
