#pragma once
// The lock by which one running instance owns a data folder. Windows gives it
// up when the owning process ends, however it ends, so a crashed instance never
// blocks the next start.
#include <cstdint>

#include "platform/background_work.h"

struct InstanceLock {
    OwnedHandle<closeKernelHandle> mutex;
    bool owned = false;
};

// Opens (or creates) the lock of the folder with this fingerprint; false when
// the system refuses a lock of that name.
bool openInstanceLock(InstanceLock& lock, uint32_t folderId);
// Takes the lock when it is free within `milliseconds` (0: only a look); true
// once this process owns it. It stays owned until the process ends.
bool waitForInstanceLock(InstanceLock& lock, unsigned milliseconds);
