#include "find/find_learning.h"

#include <algorithm>

namespace {

constexpr wchar_t kItemPrefix[] = L"item\t";
constexpr wchar_t kShortcutPrefix[] = L"link\t";
constexpr uint64_t kSecondsPerDay = 86400;
// A choice loses half its weight in this many days.
constexpr double kHalfLifeDays = 14.0;

bool parseNumber(std::wstring_view text, uint64_t highest, uint64_t& value) {
    if (text.empty() || text.size() > 20) return false;
    value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return false;
        const uint64_t digit = static_cast<uint64_t>(c - L'0');
        if (value > (highest - digit) / 10) return false;
        value = value * 10 + digit;
    }
    return true;
}

// The next field up to a tab, which `rest` then starts after.
std::wstring_view nextField(std::wstring_view& rest, bool& found) {
    const size_t tab = rest.find(L'\t');
    found = tab != std::wstring_view::npos;
    const std::wstring_view field = rest.substr(0, found ? tab : rest.size());
    rest = found ? rest.substr(tab + 1) : std::wstring_view();
    return field;
}

bool isRowKey(std::wstring_view row) {
    return (row.starts_with(kItemPrefix) || row.starts_with(kShortcutPrefix)) && row.size() <= kLongestLearnedRow;
}

bool parseChoice(std::wstring_view line, LearnedChoice& choice) {
    bool found = false;
    uint64_t uses = 0;
    if (!parseNumber(nextField(line, found), UINT32_MAX, uses) || !found || uses == 0) return false;
    if (!parseNumber(nextField(line, found), UINT64_MAX, choice.lastUse) || !found) return false;
    const std::wstring_view typed = nextField(line, found);
    if (!found || typed.empty() || typed.size() > kLongestLearnedText || !isRowKey(line)) return false;
    choice.uses = static_cast<uint32_t>(uses);
    choice.typed = typed;
    choice.row = line;
    return true;
}

// The choices used longest ago go first.
void keepNewest(std::vector<LearnedChoice>& choices) {
    if (choices.size() <= kMostLearnedChoices) return;
    std::stable_sort(choices.begin(), choices.end(),
                     [](const LearnedChoice& a, const LearnedChoice& b) { return a.lastUse > b.lastUse; });
    choices.resize(kMostLearnedChoices);
}

// Tabs and line breaks would end a field or the line.
wchar_t inLine(wchar_t c) { return c == L'\t' || c == L'\r' || c == L'\n' ? L' ' : c; }

std::wstring oneLine(std::wstring_view text) {
    std::wstring line(text);
    for (wchar_t& c : line) c = inLine(c);
    return line;
}

struct KeyHash {
    uint64_t value = 14695981039346656037ull;  // FNV-1a
    void add(wchar_t c) {
        value ^= static_cast<uint16_t>(c);
        value *= 1099511628211ull;
    }
    void addOneLine(std::wstring_view text) {
        for (wchar_t c : text) add(inLine(c));
    }
};

}  // namespace

std::wstring itemRowKey(std::wstring_view category, std::wstring_view text, std::wstring_view definition) {
    std::wstring key = kItemPrefix;
    key += oneLine(category);
    key += L'\t';
    key += oneLine(text);
    key += L'=';
    key += oneLine(definition);
    return key;
}

std::wstring shortcutRowKey(std::wstring_view shortcutFile) { return kShortcutPrefix + oneLine(shortcutFile); }

uint64_t rowKeyHash(std::wstring_view key) {
    KeyHash hash;
    for (wchar_t c : key) hash.add(c);
    return hash.value;
}

uint64_t itemRowHash(std::wstring_view category, std::wstring_view text, std::wstring_view definition) {
    KeyHash hash;
    for (wchar_t c : std::wstring_view(kItemPrefix)) hash.add(c);
    hash.addOneLine(category);
    hash.add(L'\t');
    hash.addOneLine(text);
    hash.add(L'=');
    hash.addOneLine(definition);
    return hash.value;
}

std::vector<LearnedChoice> parseLearnedChoices(std::wstring_view text) {
    std::vector<LearnedChoice> choices;
    while (!text.empty()) {
        const size_t end = text.find_first_of(L"\r\n");
        const std::wstring_view line = text.substr(0, end);
        text = end == std::wstring_view::npos ? std::wstring_view() : text.substr(end + 1);
        LearnedChoice choice;
        if (parseChoice(line, choice)) choices.push_back(std::move(choice));
    }
    keepNewest(choices);
    return choices;
}

std::wstring formatLearnedChoices(const std::vector<LearnedChoice>& choices) {
    std::wstring text = L"; What Find learned: starts, last start, text typed, row chosen\r\n";
    for (const LearnedChoice& choice : choices) {
        text += std::to_wstring(choice.uses) + L'\t' + std::to_wstring(choice.lastUse) + L'\t' + choice.typed + L'\t' +
                choice.row + L"\r\n";
    }
    return text;
}

bool learnChoice(std::vector<LearnedChoice>& choices, std::wstring_view typed, std::wstring_view row,
                 uint64_t now) {
    const std::wstring text = oneLine(typed);
    if (text.empty() || text.size() > kLongestLearnedText || !isRowKey(row)) return false;
    for (LearnedChoice& choice : choices) {
        if (choice.typed != text || choice.row != row) continue;
        if (choice.uses < UINT32_MAX) ++choice.uses;
        choice.lastUse = now;
        return true;
    }
    choices.push_back(LearnedChoice{1, now, text, std::wstring(row)});
    keepNewest(choices);
    return true;
}

LearnedRanking learnedRanking(std::vector<LearnedChoice> choices, uint64_t now) {
    LearnedRanking ranking;
    for (const LearnedChoice& choice : choices) {
        const double days = choice.lastUse < now ? static_cast<double>((now - choice.lastUse) / kSecondsPerDay) : 0.0;
        ranking.weight[rowKeyHash(choice.row)] += choice.uses / (1.0 + days / kHalfLifeDays);
    }
    ranking.choices = std::move(choices);
    return ranking;
}

std::unordered_map<uint64_t, uint64_t> favouritesFor(const LearnedRanking& ranking, std::wstring_view typed) {
    std::unordered_map<uint64_t, uint64_t> favourites;
    if (typed.empty()) return favourites;
    for (const LearnedChoice& choice : ranking.choices) {
        const std::wstring_view before = choice.typed;
        // The same text counts twice what a longer or shorter one does.
        uint64_t votes = 0;
        if (before == typed)
            votes = 2 * uint64_t{choice.uses};
        else if (before.starts_with(typed) || typed.starts_with(before))
            votes = choice.uses;
        if (votes) favourites[rowKeyHash(choice.row)] += votes;
    }
    return favourites;
}
