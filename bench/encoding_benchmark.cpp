#include "encoding_benchmark.h"

#include <windows.h>

#include <cmath>

#include "bench_data.h"
#include "paint_wait.h"
#include "store/text_encoding.h"

namespace {

constexpr size_t kFileBytes = 10 * 1024 * 1024;

volatile size_t resultSink;

std::string readBack(const std::wstring& path) {
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    LARGE_INTEGER size{};
    DWORD read = 0;
    if (GetFileSizeEx(file, &size)) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) read = 0;
    }
    bytes.resize(read);
    CloseHandle(file);
    return bytes;
}

}  // namespace

std::string makeEncodingFile(const std::wstring& workFolder) {
    // German text: mostly ASCII with umlauts and an occasional euro sign, as
    // Kivo's own files hold it.
    std::wstring text;
    std::string bytes;
    for (int line = 1; bytes.size() < kFileBytes; ++line) {
        text = L"Zeile " + std::to_wstring(line) +
               L": Größere Änderungen übernimmt der Schlüssel für Überschriften, Preis 12 \x20AC, "
               L"C:\\Programme\\Werkzeug\\übersicht.exe\r\n";
        bytes += toUtf8(text);
    }
    bytes.resize(kFileBytes);
    // Cut at a line end, so no character is split.
    bytes.resize(bytes.rfind('\n') + 1);
    const std::wstring path = workFolder + L"\\text-10mb.txt";
    writeWholeFile(path, bytes);
    return readBack(path);
}

double kivoDecode(const std::string& bytes) {
    const double start = counterMs();
    const DecodedText decoded = decodeText(bytes);
    const double elapsed = counterMs() - start;
    resultSink = decoded.text.size();
    return decoded.format == TextFormat::Utf8 ? elapsed : NAN;
}

double bareDecode(const std::string& bytes) {
    const double start = counterMs();
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), size, nullptr, 0);
    std::wstring text(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), size, text.data(), length);
    const double elapsed = counterMs() - start;
    resultSink = text.size();
    return length > 0 ? elapsed : NAN;
}
