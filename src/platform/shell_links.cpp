#include "platform/shell_links.h"

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstring>
#include <string>

#include "platform/com_ref.h"

namespace {

// Balances one CoInitialize; a failed one (another threading model already set)
// must not be undone.
struct ComApartment {
    bool initialized = false;
    ComApartment() : initialized(SUCCEEDED(CoInitialize(nullptr))) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (initialized) CoUninitialize();
    }
};

// Shortcut fields have no fixed size limit: read into a buffer the size of the
// longest path the system accepts, then cut at the terminator.
constexpr int kTextBufferLength = 32768;

void trimAtTerminator(std::wstring& text) {
    const size_t end = text.find(L'\0');
    if (end != std::wstring::npos) text.resize(end);
}

// A new link object with its file interface; false when the system gives none.
bool newLinkObject(ComRef<IShellLinkW>& shellLink, ComRef<IPersistFile>& file) {
    return SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                      shellLink.out())) &&
           SUCCEEDED(shellLink.ptr->QueryInterface(IID_IPersistFile, file.out()));
}

}  // namespace

bool resolveShellLink(const std::wstring& linkFile, ShellLinkInfo& link) {
    link.path.clear();
    link.arguments.clear();
    link.workingDirectory.clear();
    link.iconFile.clear();
    link.iconIndex = 0;
    link.showCommand = SW_SHOWNORMAL;
    {
        // The interfaces go before the apartment they live in.
        ComApartment apartment;
        ComRef<IShellLinkW> shellLink;
        ComRef<IPersistFile> file;
        if (!newLinkObject(shellLink, file) || FAILED(file.ptr->Load(linkFile.c_str(), STGM_READ))) return false;
        // Without a window and SLR_NO_UI a moved target is searched for quietly,
        // never through a dialog.
        if (FAILED(shellLink.ptr->Resolve(nullptr, SLR_NO_UI))) return false;

        std::wstring text(kTextBufferLength, L'\0');
        if (SUCCEEDED(shellLink.ptr->GetPath(text.data(), kTextBufferLength, nullptr, 0))) {
            trimAtTerminator(text);
            link.path = text;
        }
        text.assign(kTextBufferLength, L'\0');
        if (SUCCEEDED(shellLink.ptr->GetArguments(text.data(), kTextBufferLength))) {
            trimAtTerminator(text);
            link.arguments = text;
        }
        text.assign(kTextBufferLength, L'\0');
        if (SUCCEEDED(shellLink.ptr->GetWorkingDirectory(text.data(), kTextBufferLength))) {
            trimAtTerminator(text);
            link.workingDirectory = text;
        }
        text.assign(kTextBufferLength, L'\0');
        int iconIndex = 0;
        if (SUCCEEDED(shellLink.ptr->GetIconLocation(text.data(), kTextBufferLength, &iconIndex))) {
            trimAtTerminator(text);
            link.iconFile = text;
            link.iconIndex = iconIndex;
        }
        int show = SW_SHOWNORMAL;
        if (SUCCEEDED(shellLink.ptr->GetShowCmd(&show))) link.showCommand = show;
    }
    return !link.path.empty();
}

void createShellLink(const ShellLinkInfo& link, const std::wstring& linkFile) {
    ComApartment apartment;
    ComRef<IShellLinkW> shellLink;
    ComRef<IPersistFile> file;
    if (!newLinkObject(shellLink, file)) return;
    shellLink.ptr->SetPath(link.path.c_str());
    shellLink.ptr->SetArguments(link.arguments.c_str());
    shellLink.ptr->SetWorkingDirectory(link.workingDirectory.c_str());
    shellLink.ptr->SetDescription(L"");
    shellLink.ptr->SetShowCmd(SW_SHOWNORMAL);
    shellLink.ptr->SetHotkey(0);
    shellLink.ptr->SetIconLocation(link.path.c_str(), 0);
    file.ptr->Save(linkFile.c_str(), TRUE);
}

namespace {

// The bytes of a shortcut file, when it is no larger than any real one.
bool readShortcutBytes(const std::wstring& path, std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart <= kLargestShortcutFile;
    DWORD read = 0;
    if (ok) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        ok = ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) && read == bytes.size();
    }
    CloseHandle(file);
    return ok;
}

bool memoryStreamOf(const std::string& bytes, ComRef<IStream>& stream) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!block) return false;
    void* at = GlobalLock(block);
    if (at) memcpy(at, bytes.data(), bytes.size());
    GlobalUnlock(block);
    if (!at || FAILED(CreateStreamOnHGlobal(block, TRUE, reinterpret_cast<IStream**>(stream.out())))) {
        GlobalFree(block);
        return false;
    }
    // The block may be larger than asked for: the stream ends where the file did.
    ULARGE_INTEGER size{};
    size.QuadPart = bytes.size();
    return SUCCEEDED(stream.ptr->SetSize(size));
}

}  // namespace

std::vector<ShellLinkInfo> shellLinkTargets(const std::vector<std::wstring>& linkFiles) {
    std::vector<ShellLinkInfo> targets(linkFiles.size());
    ComApartment apartment;
    ComRef<IShellLinkW> shellLink;
    ComRef<IPersistStream> stream;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, shellLink.out())) ||
        FAILED(shellLink.ptr->QueryInterface(IID_IPersistStream, stream.out())))
        return targets;
    // One link object loads one file after the other: making one for each of
    // hundreds of shortcuts costs more than reading them. It reads from a copy
    // of the file in memory, so a damaged shortcut whose sizes claim more than
    // the file holds ends at the copy's end.
    std::string bytes;
    std::wstring text(kTextBufferLength, L'\0');
    for (size_t i = 0; i < linkFiles.size(); ++i) {
        if (!readShortcutBytes(linkFiles[i], bytes)) continue;
        ComRef<IStream> memory;
        if (!memoryStreamOf(bytes, memory) || FAILED(stream.ptr->Load(memory.ptr))) continue;
        text.assign(kTextBufferLength, L'\0');
        if (SUCCEEDED(shellLink.ptr->GetPath(text.data(), kTextBufferLength, nullptr, 0))) {
            trimAtTerminator(text);
            targets[i].path = text;
        }
        text.assign(kTextBufferLength, L'\0');
        int iconIndex = 0;
        if (SUCCEEDED(shellLink.ptr->GetIconLocation(text.data(), kTextBufferLength, &iconIndex))) {
            trimAtTerminator(text);
            targets[i].iconFile = text;
            targets[i].iconIndex = iconIndex;
        }
    }
    return targets;
}

std::vector<ShortcutFolder> programShortcutFolders() {
    const struct {
        int id;
        ShortcutPlace place;
    } kFolders[] = {{CSIDL_PROGRAMS, ShortcutPlace::StartMenu},
                    {CSIDL_COMMON_PROGRAMS, ShortcutPlace::StartMenu},
                    {CSIDL_DESKTOPDIRECTORY, ShortcutPlace::Desktop},
                    {CSIDL_COMMON_DESKTOPDIRECTORY, ShortcutPlace::Desktop}};
    std::vector<ShortcutFolder> folders;
    for (const auto& known : kFolders) {
        wchar_t folder[MAX_PATH] = L"";
        if (SHGetSpecialFolderPathW(nullptr, folder, known.id, FALSE) && folder[0])
            folders.push_back(ShortcutFolder{folder, known.place});
    }
    return folders;
}

std::wstring startupFolder() {
    wchar_t folder[MAX_PATH] = L"";
    if (!SHGetSpecialFolderPathW(nullptr, folder, CSIDL_STARTUP, FALSE)) return std::wstring();
    return folder;
}
