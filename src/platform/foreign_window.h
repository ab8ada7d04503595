#pragma once
// Windows of programs that Kivo starts but does not own, such as the help
// viewer, which places its window where its own file says, whatever the screen.
#include "platform/background_work.h"
#include "platform/started_process.h"

// Waits on a thread of its own for the first window of `process` to show, and
// moves it onto the work area of the monitor that holds window `nearWindowId`,
// cut to that area when larger. Gives up when the process ends or shows no
// window within a few seconds. False when no thread could be started.
bool keepFirstWindowNear(WorkThread& watcher, const ProcessHandle& process, int nearWindowId);
