#include "platform/background_work.h"

#include <windows.h>

#include "platform/ui_window_table.h"

namespace {

struct WorkStart {
    void (*work)(void*);
    void* context;
};

DWORD WINAPI runWork(void* start) {
    const WorkStart given = *static_cast<WorkStart*>(start);
    delete static_cast<WorkStart*>(start);
    given.work(given.context);
    return 0;
}

}  // namespace

void closeKernelHandle(void* handle) { CloseHandle(static_cast<HANDLE>(handle)); }

bool startWorkThread(WorkThread& worker, void (*work)(void* context), void* context) {
    WorkStart* start = new WorkStart{work, context};
    worker.thread.reset(CreateThread(nullptr, 0, runWork, start, 0, nullptr));
    if (!worker.thread) delete start;
    return static_cast<bool>(worker.thread);
}

bool workThreadEnded(const WorkThread& worker) {
    return !worker.thread || WaitForSingleObject(static_cast<HANDLE>(worker.thread.handle), 0) == WAIT_OBJECT_0;
}

WorkNotice workNoticeFor(int windowId, int work) {
    const WindowRecord* record = windowRecord(windowId);
    return WorkNotice{record ? record->handle : nullptr, work};
}

void postWorkNotice(const WorkNotice& notice) {
    if (notice.window) PostMessageW(static_cast<HWND>(notice.window), kWorkMessage, static_cast<WPARAM>(notice.work), 0);
}
