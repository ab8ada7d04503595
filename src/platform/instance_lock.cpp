#include "platform/instance_lock.h"

#include <windows.h>

#include <cwchar>

bool openInstanceLock(InstanceLock& lock, uint32_t folderId) {
    // "Local": one owner per folder in each log-on session, as the windows that
    // answer a second start are only found within the session.
    wchar_t name[40];
    swprintf(name, sizeof name / sizeof name[0], L"Local\\Kivo-data-folder-%08X", static_cast<unsigned>(folderId));
    lock.mutex.reset(CreateMutexW(nullptr, FALSE, name));
    lock.owned = false;
    return static_cast<bool>(lock.mutex);
}

bool waitForInstanceLock(InstanceLock& lock, unsigned milliseconds) {
    if (lock.owned) return true;
    if (!lock.mutex) return false;
    // Abandoned: its owner ended without letting go, which is how every
    // instance lets go of it.
    const DWORD result = WaitForSingleObject(static_cast<HANDLE>(lock.mutex.handle), milliseconds);
    lock.owned = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
    return lock.owned;
}
