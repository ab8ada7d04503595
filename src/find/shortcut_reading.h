#pragma once
// The Start menu's and the desktop's shortcuts read on a thread of their own:
// they belong to other programs, which may have left thousands there, damaged
// files or links to a drive that does not answer, and Find shows its rows at
// once all the same. The programs join the rows as they are read.
#include <memory>
#include <mutex>
#include <vector>

#include "find/program_shortcuts.h"
#include "platform/background_work.h"

// What the thread works on; the window's side only touches it under `lock`.
struct ShortcutReading {
    std::mutex lock;
    std::vector<ShortcutRoot> roots;
    ProgramShortcuts found;  // the thread's own until it ends
    WorkNotice notice;
    // Handed over under `lock`: the shortcuts read so far, or all of them.
    ProgramShortcuts ready;
    bool news = false;
    bool finished = false;
    bool changed = false;
};

struct ShortcutReader {
    // Shared with the thread, which may outlive the window's interest in it
    // (the program ending while a drive does not answer).
    std::shared_ptr<ShortcutReading> reading;
    WorkThread thread;
};

// Starts reading the folders again, from what `known` holds, unless a reading
// runs already. The thread tells `notice` when it has shortcuts to show. False
// when no thread could be made: the caller reads them itself.
bool startShortcutReading(ShortcutReader& reader, const ProgramShortcuts& known,
                          const std::vector<ShortcutRoot>& roots, const WorkNotice& notice);
// Takes over what the reading has: on a first reading the shortcuts read so
// far, at its end the whole list. True when `known` changed.
bool takeReadShortcuts(ShortcutReader& reader, ProgramShortcuts& known);
// True while a reading runs.
bool shortcutsBeingRead(const ShortcutReader& reader);
