#include "find/shortcut_reading.h"

#include <utility>

#include "platform/ui_events.h"

namespace {

// The rows are searched again each time shortcuts join: a few times a second
// is as often as a user can follow.
constexpr unsigned kReportInterval = 250;

struct ThreadStart {
    std::shared_ptr<ShortcutReading> reading;
    unsigned lastReport = 0;
};

// A first reading shows its shortcuts as they come; a later one keeps the
// list shown before whole until the new one is, so no row goes and comes back.
void reportProgress(size_t shortcutsRead, void* context) {
    ThreadStart& start = *static_cast<ThreadStart*>(context);
    ShortcutReading& r = *start.reading;
    if (tickCount() - start.lastReport < kReportInterval) return;
    start.lastReport = tickCount();
    {
        std::lock_guard<std::mutex> guard(r.lock);
        r.ready.shortcuts.assign(r.found.shortcuts.begin(),
                                 r.found.shortcuts.begin() + static_cast<std::ptrdiff_t>(shortcutsRead));
        r.news = true;
    }
    postWorkNotice(r.notice);
}

void readShortcuts(void* context) {
    ThreadStart* start = static_cast<ThreadStart*>(context);
    ShortcutReading& r = *start->reading;
    const bool first = !r.found.read;
    start->lastReport = tickCount();
    const ShortcutProgress progress{first ? reportProgress : nullptr, start};
    const bool changed = refreshProgramShortcuts(r.found, r.roots, progress);
    {
        std::lock_guard<std::mutex> guard(r.lock);
        r.ready = std::move(r.found);
        r.changed = changed;
        r.news = true;
        r.finished = true;
    }
    postWorkNotice(r.notice);
    delete start;
}

}  // namespace

bool startShortcutReading(ShortcutReader& reader, const ProgramShortcuts& known,
                          const std::vector<ShortcutRoot>& roots, const WorkNotice& notice) {
    if (shortcutsBeingRead(reader)) return true;
    std::shared_ptr<ShortcutReading> reading = std::make_shared<ShortcutReading>();
    reading->roots = roots;
    reading->found = known;
    reading->notice = notice;
    ThreadStart* start = new ThreadStart{reading};
    if (!startWorkThread(reader.thread, readShortcuts, start)) {
        delete start;
        reader.reading.reset();
        return false;
    }
    reader.reading = std::move(reading);
    return true;
}

bool takeReadShortcuts(ShortcutReader& reader, ProgramShortcuts& known) {
    if (!reader.reading) return false;
    ShortcutReading& r = *reader.reading;
    std::lock_guard<std::mutex> guard(r.lock);
    if (!r.news) return false;
    r.news = false;
    if (!r.finished) {
        // Shortcuts of a first reading so far: whole ones, but not all of them yet.
        known.shortcuts = r.ready.shortcuts;
        return true;
    }
    const bool changed = r.changed;
    known = std::move(r.ready);
    return changed || !known.read;
}

bool shortcutsBeingRead(const ShortcutReader& reader) {
    if (!reader.reading) return false;
    std::lock_guard<std::mutex> guard(reader.reading->lock);
    return !reader.reading->finished;
}
