// `probe objects`: how many USER and GDI objects the process of a window holds.
// GetGuiResources answers on Windows; under Wine it returns 0 for everything,
// so there object_count.dll (beside the probe) is loaded into the process and
// counts from inside it. The first line says which way was taken.
#include "object_counts.h"
#include "probe.h"

// Needs windows.h before it.
#include <psapi.h>

namespace probe {

namespace {

// Loading a library or counting takes well under a second; a process that
// does not let the thread finish in this time counts as unreadable.
constexpr DWORD kThreadWait = 15000;

using objects::ObjectCounts;

class Process {
public:
    explicit Process(DWORD id)
        : handle_(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_CREATE_THREAD | PROCESS_VM_OPERATION |
                                  PROCESS_VM_READ | PROCESS_VM_WRITE,
                              FALSE, id)) {}
    ~Process() {
        if (handle_) CloseHandle(handle_);
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    HANDLE handle() const { return handle_; }

private:
    HANDLE handle_;
};

// Memory in the measured process, freed unless a thread that may still use it
// was left running.
class RemoteBlock {
public:
    RemoteBlock(HANDLE process, size_t size)
        : process_(process),
          base_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
    ~RemoteBlock() {
        if (base_ && !abandoned_) VirtualFreeEx(process_, base_, 0, MEM_RELEASE);
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;
    void* address() const { return base_; }
    void abandon() { abandoned_ = true; }

private:
    HANDLE process_;
    void* base_;
    bool abandoned_ = false;
};

// Runs `start(parameter)` as a thread of the process; false when it could not
// be started or did not end in time.
bool runRemote(HANDLE process, ULONG_PTR start, void* parameter, DWORD& exitCode) {
    HANDLE thread = CreateRemoteThread(process, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(start), parameter,
                                       0, nullptr);
    if (!thread) return false;
    const bool ended = WaitForSingleObject(thread, kThreadWait) == WAIT_OBJECT_0 && GetExitCodeThread(thread, &exitCode);
    CloseHandle(thread);
    return ended;
}

// The base of the module with this file name in the process, or 0.
ULONG_PTR remoteModule(HANDLE process, const wchar_t* name) {
    HMODULE modules[1024];
    DWORD bytes = 0;
    if (!EnumProcessModules(process, modules, sizeof modules, &bytes)) return 0;
    const DWORD count = bytes / sizeof(HMODULE);
    for (DWORD i = 0; i < count && i < 1024; ++i) {
        wchar_t baseName[MAX_PATH] = L"";
        if (GetModuleBaseNameW(process, modules[i], baseName, MAX_PATH) && _wcsicmp(baseName, name) == 0) {
            return reinterpret_cast<ULONG_PTR>(modules[i]);
        }
    }
    return 0;
}

// Where a function of a module loaded here lies in the other process: at the
// same offset from that module's base there.
ULONG_PTR remoteFunction(HANDLE process, HMODULE local, const wchar_t* moduleName, const char* function) {
    const ULONG_PTR remoteBase = remoteModule(process, moduleName);
    const FARPROC address = GetProcAddress(local, function);
    if (!remoteBase || !address) return 0;
    return remoteBase + (reinterpret_cast<ULONG_PTR>(address) - reinterpret_cast<ULONG_PTR>(local));
}

std::wstring libraryPath() {
    wchar_t path[MAX_PATH] = L"";
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1) + objects::kLibraryName;
}

// Runs the library's function on a copy of the record inside the process and
// reads the record back.
int callInside(HANDLE process, const char* function, void* record, size_t size) {
    const std::wstring path = libraryPath();
    HMODULE library = LoadLibraryW(path.c_str());
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    if (!library || !kernel) return kUnreadable;
    const ULONG_PTR load = remoteFunction(process, kernel, L"kernel32.dll", "LoadLibraryW");
    const ULONG_PTR unload = remoteFunction(process, kernel, L"kernel32.dll", "FreeLibrary");
    const size_t pathBytes = (path.size() + 1) * sizeof(wchar_t);
    RemoteBlock block(process, pathBytes + size);
    if (!load || !unload || !block.address()) return kUnreadable;
    char* remotePath = static_cast<char*>(block.address());
    char* remoteRecord = remotePath + pathBytes;
    SIZE_T written = 0;
    DWORD result = 0;
    if (!WriteProcessMemory(process, remotePath, path.c_str(), pathBytes, &written) || written != pathBytes ||
        !WriteProcessMemory(process, remoteRecord, record, size, &written) || written != size) {
        return kUnreadable;
    }
    if (!runRemote(process, load, remotePath, result)) {
        block.abandon();
        return kUnreadable;
    }
    const ULONG_PTR call = remoteFunction(process, library, objects::kLibraryName, function);
    if (!call) return kUnreadable;
    if (!runRemote(process, call, remoteRecord, result) || result != 1) {
        block.abandon();
        return kUnreadable;
    }
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, remoteRecord, record, size, &read) || read != size) return kUnreadable;
    // The process goes on as before: the library leaves it again.
    runRemote(process, unload, reinterpret_cast<void*>(remoteModule(process, objects::kLibraryName)), result);
    return kFound;
}

}  // namespace

int writeObjectCounts(HWND window, FILE* out) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    Process process(processId);
    if (!process.handle()) return kUnreadable;
    const DWORD user = GetGuiResources(process.handle(), GR_USEROBJECTS);
    const DWORD gdi = GetGuiResources(process.handle(), GR_GDIOBJECTS);
    if (user != 0 && gdi != 0) {
        fprintf(out, "user %lu gdi %lu by GetGuiResources\n", user, gdi);
        return kFound;
    }
    ObjectCounts counts{};
    const int result = callInside(process.handle(), objects::kCountFunction, &counts, sizeof counts);
    if (result != kFound) return result;
    fprintf(out, "user %lu gdi %lu by table\n", objects::userObjects(counts), objects::gdiObjects(counts));
    fprintf(out, "windows %lu menus %lu icons %lu accelerators %lu bitmaps %lu dcs %lu other-gdi %lu\n",
            counts.windows, counts.menus, counts.icons, counts.accelerators, counts.gdiByType[OBJ_BITMAP],
            counts.gdiByType[OBJ_DC] + counts.gdiByType[OBJ_MEMDC],
            objects::gdiObjects(counts) - counts.gdiByType[OBJ_BITMAP] - counts.gdiByType[OBJ_DC] -
                counts.gdiByType[OBJ_MEMDC]);
    return kFound;
}

int describeFonts(HWND window, objects::FontQuery& query) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    Process process(processId);
    return process.handle() ? callInside(process.handle(), objects::kFontFunction, &query, sizeof query) : kUnreadable;
}

}  // namespace probe
