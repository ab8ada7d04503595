// Loaded into a measured process by `probe objects`: counts the USER and GDI
// objects that process holds, from inside it, where Wine resolves a handle
// without its generation (high word 0) against the process's own tables.
// Wine's GetGuiResources returns 0, so the probe needs this to measure at all.
//
// Wine 8 numbers both kinds of handles by table slot:
//   GDI:  the low word is the slot (0..0xFFFF); GetObjectType reads the slot.
//   USER: 0x20 + 2 * slot, slots below 0x7FE8; menus, icons/cursors and
//         accelerator tables of this process are found in the slot without a
//         trip to the server. Windows are counted by walking the window tree
//         instead: IsWindow asks the server for every slot this process does
//         not hold, which takes seconds for the whole range; the walk found
//         the same windows as the slot scan when both were tried.
// GetCursorFrameInfo tells an icon slot apart as surely as GetIconInfo does,
// without copying the icon's bitmaps (GetIconInfo took about a second per
// 3,000 icons).
#include "object_counts.h"

namespace {

constexpr unsigned kFirstUserHandle = 0x20;
constexpr unsigned kUserSlots = (0xFFEF - kFirstUserHandle + 1) / 2;
constexpr unsigned kGdiSlots = 0x10000;

using FrameInfo = HCURSOR(WINAPI*)(HCURSOR, DWORD, DWORD, DWORD*, DWORD*);

struct WindowWalk {
    DWORD process;
    DWORD count;
};

bool ownedBy(HWND window, DWORD process) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    return owner == process;
}

BOOL CALLBACK countChild(HWND window, LPARAM param) {
    WindowWalk* walk = reinterpret_cast<WindowWalk*>(param);
    if (ownedBy(window, walk->process)) ++walk->count;
    return TRUE;
}

// A top-level window and everything below it (EnumChildWindows goes down to
// grandchildren).
void countTree(HWND window, WindowWalk& walk) {
    if (!ownedBy(window, walk.process)) return;
    ++walk.count;
    EnumChildWindows(window, countChild, reinterpret_cast<LPARAM>(&walk));
}

BOOL CALLBACK countTopLevel(HWND window, LPARAM param) {
    countTree(window, *reinterpret_cast<WindowWalk*>(param));
    return TRUE;
}

DWORD countWindows() {
    WindowWalk walk{GetCurrentProcessId(), 0};
    EnumWindows(countTopLevel, reinterpret_cast<LPARAM>(&walk));
    // Message-only windows sit under their own root, out of EnumWindows' reach.
    for (HWND window = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); window;
         window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr)) {
        countTree(window, walk);
    }
    return walk.count;
}

bool isIcon(HANDLE handle, FrameInfo frameInfo) {
    if (frameInfo) {
        DWORD rate = 0;
        DWORD steps = 0;
        return frameInfo(static_cast<HCURSOR>(handle), 0, 0, &rate, &steps) != nullptr;
    }
    ICONINFO info{};
    if (!GetIconInfo(static_cast<HICON>(handle), &info)) return false;
    // The copies it hands out would be counted as this process's GDI objects.
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return true;
}

// Not in the SDK's headers; through void (*)() the cast is one compilers accept
// without a warning about unlike function types.
FrameInfo frameInfoFunction() {
    const FARPROC found = GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetCursorFrameInfo");
    return reinterpret_cast<FrameInfo>(reinterpret_cast<void (*)()>(found));
}

void countUserSlots(objects::ObjectCounts& counts) {
    const FrameInfo frameInfo = frameInfoFunction();
    for (unsigned slot = 0; slot < kUserSlots; ++slot) {
        HANDLE handle = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(kFirstUserHandle + 2 * slot));
        if (IsMenu(static_cast<HMENU>(handle))) {
            ++counts.menus;
        } else if (isIcon(handle, frameInfo)) {
            ++counts.icons;
        } else if (CopyAcceleratorTableW(static_cast<HACCEL>(handle), nullptr, 0) > 0) {
            ++counts.accelerators;
        }
    }
}

void countGdiSlots(objects::ObjectCounts& counts) {
    for (unsigned slot = 1; slot < kGdiSlots; ++slot) {
        const DWORD type = GetObjectType(reinterpret_cast<HGDIOBJ>(static_cast<ULONG_PTR>(slot)));
        if (type > 0 && type < objects::kGdiTypes) ++counts.gdiByType[type];
    }
}

}  // namespace

// Runs as a thread of the measured process; the parameter is the record the
// probe allocated there. Returns 1 once the record is filled.
extern "C" __declspec(dllexport) DWORD WINAPI countObjects(void* parameter) {
    objects::ObjectCounts counts{};
    counts.windows = countWindows();
    countUserSlots(counts);
    // After the USER scan: a GetIconInfo fallback makes and deletes bitmaps.
    countGdiSlots(counts);
    *static_cast<objects::ObjectCounts*>(parameter) = counts;
    return 1;
}

extern "C" __declspec(dllexport) DWORD WINAPI describeFonts(void* parameter) {
    auto* query = static_cast<objects::FontQuery*>(parameter);
    for (DWORD i = 0; i < query->count && i < objects::kMostControls; ++i) {
        DWORD_PTR font = 0;
        if (SendMessageTimeoutW(query->controls[i], WM_GETFONT, 0, 0, SMTO_ABORTIFHUNG, 2000, &font) && font)
            GetObjectW(reinterpret_cast<HFONT>(font), sizeof query->described[i], &query->described[i]);
    }
    return 1;
}
