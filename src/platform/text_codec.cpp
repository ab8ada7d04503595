#include "platform/text_codec.h"

#include <windows.h>

std::wstring ansiToWide(std::string_view bytes) {
    if (bytes.empty()) return {};
    int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (n <= 0) return {};
    std::wstring text(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), n);
    return text;
}

bool wideToAnsi(std::wstring_view text, std::string& bytes) {
    bytes.clear();
    if (text.empty()) return true;
    BOOL usedDefault = FALSE;
    int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()), nullptr,
                                0, nullptr, &usedDefault);
    if (n <= 0) return false;
    bytes.resize(static_cast<size_t>(n));
    usedDefault = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()), bytes.data(), n,
                        nullptr, &usedDefault);
    // The flag alone misses some mappings; the round trip is the real proof.
    return !usedDefault && ansiToWide(bytes) == text;
}

bool ansiRoundTrips(std::wstring_view text, std::string_view bytes) {
    if (text.empty() || bytes.empty()) return text.empty() && bytes.empty();
    // One call without flags: the bytes compared are the proof, and the check
    // for best-fit characters costs Wine twice the conversion. Output longer
    // than the bytes does not fit and fails the call.
    std::string back(bytes.size(), '\0');
    const int size = static_cast<int>(back.size());
    return WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), back.data(), size, nullptr,
                               nullptr) == size &&
           back == bytes;
}
