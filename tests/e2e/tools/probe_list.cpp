// Reading the list view of another process: list-view messages carry pointers,
// and a pointer only means something in the list view's own process, so every
// structure goes through memory allocated there. LVITEMW holds a pointer, so its
// layout only matches while the probe is built for the same word size as Kivo.
#include <windows.h>
#include <commctrl.h>

#include "probe.h"

namespace probe {

namespace {

constexpr int kTextChars = 1024;

class RemoteMemory {
public:
    RemoteMemory(HWND owner, size_t size) {
        DWORD processId = 0;
        GetWindowThreadProcessId(owner, &processId);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
        if (process_) {
            base_ = static_cast<char*>(VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        }
    }
    ~RemoteMemory() {
        if (base_) VirtualFreeEx(process_, base_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    bool ok() const { return base_ != nullptr; }
    // The address as the other process sees it.
    char* at(size_t offset) const { return base_ + offset; }
    bool write(size_t offset, const void* data, size_t size) {
        SIZE_T done = 0;
        return WriteProcessMemory(process_, base_ + offset, data, size, &done) && done == size;
    }
    bool read(size_t offset, void* data, size_t size) {
        SIZE_T done = 0;
        return ReadProcessMemory(process_, base_ + offset, data, size, &done) && done == size;
    }

private:
    HANDLE process_ = nullptr;
    char* base_ = nullptr;
};

struct ListSearch {
    HWND found;
};

BOOL CALLBACK matchList(HWND child, LPARAM param) {
    wchar_t className[64] = L"";
    GetClassNameW(child, className, 64);
    // The window's one list in sight: the launcher's (its items or what Find
    // found), the editor's or the icon dialog's.
    if (lstrcmpiW(className, WC_LISTVIEWW) == 0 && (GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE)) {
        reinterpret_cast<ListSearch*>(param)->found = child;
        return FALSE;
    }
    return TRUE;
}

HWND findList(HWND window) {
    ListSearch search{nullptr};
    EnumChildWindows(window, matchList, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool send(HWND list, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(list, message, wParam, lParam, SMTO_ABORTIFHUNG, 2000, &answer)) return false;
    result = static_cast<LRESULT>(answer);
    return true;
}

// The text of a row straight into the remote buffer, for when LVM_GETITEMW
// pointed pszText somewhere else (its documented right).
bool rowTextInto(HWND list, int row, RemoteMemory& memory, size_t textOffset, int subItem = 0) {
    LVITEMW item{};
    item.iSubItem = subItem;
    item.pszText = reinterpret_cast<wchar_t*>(memory.at(textOffset));
    item.cchTextMax = kTextChars;
    LRESULT copied = 0;
    return memory.write(0, &item, sizeof item) &&
           send(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(memory.at(0)), copied);
}

}  // namespace

int writeRows(HWND window, FILE* out) {
    HWND list = findList(window);
    if (!list) return kNotFound;
    LRESULT count = 0;
    if (!send(list, LVM_GETITEMCOUNT, 0, 0, count)) return kUnreadable;
    const size_t textOffset = sizeof(LVITEMW);
    RemoteMemory memory(list, textOffset + kTextChars * sizeof(wchar_t));
    if (!memory.ok()) return kUnreadable;
    const bool ownerData = (GetWindowLongW(list, GWL_STYLE) & LVS_OWNERDATA) != 0;
    for (int row = 0; row < count; ++row) {
        LVITEMW item{};
        item.mask = LVIF_PARAM | LVIF_TEXT | LVIF_STATE;
        item.iItem = row;
        item.stateMask = LVIS_SELECTED;
        item.pszText = reinterpret_cast<wchar_t*>(memory.at(textOffset));
        item.cchTextMax = kTextChars;
        const wchar_t empty = L'\0';
        LRESULT got = 0;
        if (!memory.write(textOffset, &empty, sizeof empty) || !memory.write(0, &item, sizeof item) ||
            !send(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(memory.at(0)), got) || !got ||
            !memory.read(0, &item, sizeof item)) {
            return kUnreadable;
        }
        if (item.pszText != reinterpret_cast<wchar_t*>(memory.at(textOffset)) &&
            !rowTextInto(list, row, memory, textOffset)) {
            return kUnreadable;
        }
        wchar_t text[kTextChars + 1] = L"";
        if (!memory.read(textOffset, text, kTextChars * sizeof(wchar_t))) return kUnreadable;
        text[kTextChars] = L'\0';
        fprintf(out, "%d\t", (item.state & LVIS_SELECTED) ? 1 : 0);
        fputs(utf8(text).c_str(), out);
        if (ownerData) {
            // Rows of a list that keeps no data: its second column instead.
            if (!rowTextInto(list, row, memory, textOffset, 1) ||
                !memory.read(textOffset, text, kTextChars * sizeof(wchar_t)))
                return kUnreadable;
            fprintf(out, "\t%s\n", utf8(text).c_str());
            continue;
        }
        fprintf(out, "\t%lld\n", static_cast<long long>(item.lParam));
    }
    return kFound;
}

int writeRowPoint(HWND window, int row, FILE* out) {
    HWND list = findList(window);
    if (!list) return kNotFound;
    LRESULT count = 0;
    if (!send(list, LVM_GETITEMCOUNT, 0, 0, count)) return kUnreadable;
    if (row < 0 || row >= count) return kNoSuchRow;
    RemoteMemory memory(list, sizeof(RECT));
    if (!memory.ok()) return kUnreadable;
    RECT rect{};
    rect.left = LVIR_LABEL;
    LRESULT got = 0;
    if (!memory.write(0, &rect, sizeof rect) ||
        !send(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(memory.at(0)), got)) {
        return kUnreadable;
    }
    if (!got) return kNoSuchRow;
    if (!memory.read(0, &rect, sizeof rect)) return kUnreadable;
    POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ClientToScreen(list, &centre);
    fprintf(out, "%ld %ld\n", centre.x, centre.y);
    return kFound;
}

// Reading every row of a long list takes seconds; this asks only for what a
// key press in it changes.
int writeSelection(HWND window, FILE* out) {
    HWND list = findList(window);
    if (!list) return kNotFound;
    LRESULT count = 0;
    LRESULT selected = -1;
    if (!send(list, LVM_GETITEMCOUNT, 0, 0, count) ||
        !send(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED, selected)) {
        return kUnreadable;
    }
    bool inView = false;
    wchar_t text[kTextChars + 1] = L"";
    if (selected >= 0) {
        const size_t textOffset = sizeof(LVITEMW);
        RemoteMemory memory(list, textOffset + kTextChars * sizeof(wchar_t));
        if (!memory.ok()) return kUnreadable;
        RECT rect{};
        rect.left = LVIR_BOUNDS;
        LRESULT got = 0;
        if (!memory.write(0, &rect, sizeof rect) ||
            !send(list, LVM_GETITEMRECT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(memory.at(0)), got) ||
            !got || !memory.read(0, &rect, sizeof rect)) {
            return kUnreadable;
        }
        RECT client{};
        GetClientRect(list, &client);
        inView = rect.left >= client.left && rect.top >= client.top && rect.right <= client.right &&
                 rect.bottom <= client.bottom;
        const wchar_t empty = L'\0';
        if (!memory.write(textOffset, &empty, sizeof empty) ||
            !rowTextInto(list, static_cast<int>(selected), memory, textOffset) ||
            !memory.read(textOffset, text, kTextChars * sizeof(wchar_t))) {
            return kUnreadable;
        }
        text[kTextChars] = L'\0';
    }
    fprintf(out, "rows %lld selected %lld inview %d label ", static_cast<long long>(count),
            static_cast<long long>(selected), inView ? 1 : 0);
    writeText(out, text);
    return kFound;
}

}  // namespace probe
