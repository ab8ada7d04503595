// Shortcut files as the shell reads and writes them, and the Startup folder.
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "probe.h"

namespace probe {

namespace {

struct ComSession {
    ComSession() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~ComSession() { CoUninitialize(); }
};

template <typename T>
void release(T*& p) {
    if (p) p->Release();
    p = nullptr;
}

}  // namespace

int writeLink(const wchar_t* linkFile, FILE* out) {
    ComSession com;
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    int result = kUnreadable;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(linkFile, STGM_READ))) {
        wchar_t text[MAX_PATH * 2] = L"";
        link->GetPath(text, MAX_PATH * 2, nullptr, SLGP_RAWPATH);
        fputs("target ", out);
        writeText(out, text);
        text[0] = L'\0';
        link->GetArguments(text, MAX_PATH * 2);
        fputs("arguments ", out);
        writeText(out, text);
        text[0] = L'\0';
        link->GetWorkingDirectory(text, MAX_PATH * 2);
        fputs("directory ", out);
        writeText(out, text);
        result = kFound;
    }
    release(file);
    release(link);
    return result;
}

int makeLink(const wchar_t* linkFile, const wchar_t* target, const wchar_t* directory, const wchar_t* arguments,
             const wchar_t* icon) {
    ComSession com;
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    int result = kUnreadable;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->SetPath(target)) && SUCCEEDED(link->SetWorkingDirectory(directory)) &&
        SUCCEEDED(link->SetArguments(arguments)) && (!*icon || SUCCEEDED(link->SetIconLocation(icon, 0))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Save(linkFile, TRUE))) {
        result = kFound;
    }
    release(file);
    release(link);
    return result;
}

int writeStartupFolder(FILE* out) {
    wchar_t folder[MAX_PATH] = L"";
    if (!SHGetSpecialFolderPathW(nullptr, folder, CSIDL_STARTUP, TRUE)) return kNotFound;
    writeText(out, folder);
    return kFound;
}

}  // namespace probe
