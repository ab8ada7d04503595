#include "support/launch_probe_log.h"

#include <windows.h>

#include <cwchar>

#include "support/test_files.h"

namespace {

std::wstring fromUtf8(const std::string& bytes) {
    int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), n);
    return text;
}

// Only lines with their line end count: the probe may still be writing the last.
std::vector<std::wstring> completeLines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (size_t end = text.find(L'\n'); end != std::wstring::npos; end = text.find(L'\n', start)) {
        std::wstring line = text.substr(start, end - start);
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::vector<ProbeRecord> readRecords(const std::wstring& logFile) {
    const std::vector<std::wstring> lines = completeLines(fromUtf8(readBytes(logFile)));
    std::vector<ProbeRecord> records;
    for (size_t i = 0; i + 3 <= lines.size(); i += 3) {
        ProbeRecord r;
        r.commandLine = lines[i];
        r.directory = lines[i + 1];
        r.showCommand = static_cast<int>(std::wcstol(lines[i + 2].c_str(), nullptr, 10));
        records.push_back(r);
    }
    return records;
}

}  // namespace

bool waitForProbeRecords(const std::wstring& logFile, std::size_t count, std::vector<ProbeRecord>& records) {
    const ULONGLONG deadline = GetTickCount64() + 15000;
    for (;;) {
        records = readRecords(logFile);
        if (records.size() >= count) return true;
        if (GetTickCount64() >= deadline) return false;
        Sleep(50);
    }
}

std::wstring probeProgramPath() {
    std::wstring path(1024, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.find_last_of(L"\\/") + 1) + L"launch_probe.exe";
}
