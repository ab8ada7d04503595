#include "platform/icon_handle.h"

#include <windows.h>

IconHandle& IconHandle::operator=(IconHandle&& other) noexcept {
    if (this != &other) {
        reset(other.handle);
        other.handle = nullptr;
    }
    return *this;
}

void IconHandle::reset(void* icon) {
    if (handle != nullptr && handle != icon) DestroyIcon(static_cast<HICON>(handle));
    handle = icon;
}
