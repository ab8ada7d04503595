#pragma once
// Work done on a thread of its own, so that what may take long (other programs'
// files, a drive that does not answer) never holds up the windows. The work
// touches only what it was given; it tells a window that it has something to
// show through an event of kind WorkProgress.
#include "platform/owned_handle.h"

void closeKernelHandle(void* handle);

struct WorkThread {
    OwnedHandle<closeKernelHandle> thread;
};

// Runs `work(context)` on a new thread; false when the system gives none (the
// caller then does the work itself).
bool startWorkThread(WorkThread& worker, void (*work)(void* context), void* context);
// True when no thread was started or it has ended.
bool workThreadEnded(const WorkThread& worker);

// Whom a thread tells: made on the window's own thread, used from any thread.
struct WorkNotice {
    void* window = nullptr;
    int work = 0;  // the event's code
};
WorkNotice workNoticeFor(int windowId, int work);
// Queues a WorkProgress event with the notice's code for its window.
void postWorkNotice(const WorkNotice& notice);
