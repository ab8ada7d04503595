#include "find/find_matching.h"

#include <algorithm>
#include <bit>
#include <cwctype>

#include "platform/text_case.h"

namespace {

constexpr uint16_t kNoCost = 0xFFFF;

bool isWordCharacter(wchar_t c) { return std::iswalnum(static_cast<wint_t>(c)) != 0; }

uint64_t letterBit(wchar_t c) {
    if (c >= L'a' && c <= L'z') return uint64_t{1} << (c - L'a');
    if (c >= L'0' && c <= L'9') return uint64_t{1} << (26 + (c - L'0'));
    if (c == L' ') return 0;  // words are matched one by one: spaces need not be there
    return uint64_t{1} << (36 + c % 28);
}

// Where a word starts in a caption as it is written: the case tells where the
// words of "LibreOffice" meet, which folding forgets.
bool startsWord(std::wstring_view caption, size_t at) {
    const auto c = static_cast<wint_t>(caption[at]);
    if (!std::iswalnum(c)) return false;
    if (at == 0) return true;
    const auto before = static_cast<wint_t>(caption[at - 1]);
    if (!std::iswalnum(before)) return true;
    if (std::iswupper(c) && std::iswlower(before)) return true;
    return std::iswdigit(c) && std::iswalpha(before);
}

bool plainAscii(std::wstring_view text) {
    return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c < 0x80; });
}

bool lettersThere(uint64_t wanted, uint64_t there) { return (wanted & ~there) == 0; }

bool startsAt(std::wstring_view text, size_t at, std::wstring_view word) {
    return text.size() >= at + word.size() && text.compare(at, word.size(), word) == 0;
}

// The words' first letters, one a word, words passed over allowed: "vsc".
bool initialsMatch(const NameView& name, std::wstring_view word, uint64_t wordLetters) {
    if (!lettersThere(wordLetters, name.startLetters) || word.size() > name.startCount) return false;
    size_t next = 0;
    for (size_t s = 0; s < name.startCount && next < word.size(); ++s)
        if (name.folded[name.starts[s]] == word[next]) ++next;
    return next == word.size();
}

// The caption's start, a word's start, initials, anywhere; -1 for none.
int containsClass(const NameView& name, std::wstring_view word, uint64_t wordLetters, bool initials) {
    if (!lettersThere(wordLetters, name.letters)) return -1;
    const size_t at = name.folded.find(word);
    if (at == 0) return kMatchCaptionStart;
    if (at != std::wstring_view::npos)
        for (size_t s = 0; s < name.startCount; ++s)
            if (startsAt(name.folded, name.starts[s], word)) return kMatchWordStart;
    if (initials && initialsMatch(name, word, wordLetters)) return kMatchInitials;
    return at != std::wstring_view::npos ? kMatchCaptionHolds : -1;
}

bool lettersInOrder(std::wstring_view text, std::wstring_view word) {
    size_t next = 0;
    for (size_t i = 0; i < text.size() && next < word.size(); ++i)
        if (text[i] == word[next]) ++next;
    return next == word.size();
}

// The cost of the best way the word's letters lie in the caption in order: a
// gap costs one, a run of letters that does not begin a word two. Letters
// with only punctuation or spaces between them count as a run.
int gapsCost(const NameView& name, std::wstring_view word, std::vector<uint16_t> (&costs)[2]) {
    const std::wstring_view text = name.folded;
    const size_t n = text.size();
    for (std::vector<uint16_t>& row : costs)
        if (row.size() < n) row.resize(n);
    std::vector<uint16_t>* before = &costs[0];
    std::vector<uint16_t>* now = &costs[1];
    size_t start = 0;
    for (size_t j = 0; j < n; ++j) {
        const bool atStart = start < name.startCount && name.starts[start] == j;
        if (atStart) ++start;
        (*before)[j] = text[j] == word[0] ? (atStart ? 0 : 2) : kNoCost;
    }
    for (size_t i = 1; i < word.size(); ++i) {
        uint32_t anyBefore = kNoCost;   // the best cost of a letter before j
        uint32_t runBefore = kNoCost;   // of one that j would continue
        start = 0;
        for (size_t j = 0; j < n; ++j) {
            const bool atStart = start < name.startCount && name.starts[start] == j;
            if (atStart) ++start;
            uint32_t cost = kNoCost;
            if (text[j] == word[i]) {
                cost = runBefore;
                if (anyBefore != kNoCost) cost = std::min(cost, anyBefore + 1 + (atStart ? 0 : 2));
            }
            (*now)[j] = static_cast<uint16_t>(std::min<uint32_t>(cost, kNoCost));
            const uint32_t here = (*before)[j];
            anyBefore = std::min(anyBefore, here);
            runBefore = isWordCharacter(text[j]) ? here : std::min(runBefore, here);
        }
        std::swap(before, now);
    }
    uint16_t best = kNoCost;
    for (size_t j = 0; j < n; ++j) best = std::min(best, (*before)[j]);
    return best;
}

// Whether the word is one slip away from the caption's text at `at`: a letter
// wrong, missing, added, or two neighbours swapped.
bool oneSlipAt(std::wstring_view text, size_t at, std::wstring_view word) {
    const std::wstring_view there = text.substr(at);
    const size_t m = word.size();
    size_t same = 0;
    while (same < m && same < there.size() && word[same] == there[same]) ++same;
    if (same == m) return true;
    const auto tailsEqual = [&](size_t fromWord, size_t fromThere) {
        const size_t length = m - fromWord;
        return fromThere + length <= there.size() && word.compare(fromWord, length, there.substr(fromThere, length)) == 0;
    };
    if (tailsEqual(same + 1, same + 1)) return true;  // wrong
    if (same + 1 < m && same + 1 < there.size() && word[same] == there[same + 1] && word[same + 1] == there[same] &&
        tailsEqual(same + 2, same + 2))
        return true;  // swapped
    if (tailsEqual(same, same + 1)) return true;  // missing
    return tailsEqual(same + 1, same);            // added
}

bool oneSlip(const NameView& name, std::wstring_view word, uint64_t wordLetters) {
    if (word.size() < kShortestSlipWord || std::popcount(wordLetters & ~name.letters) > 1) return false;
    for (size_t s = 0; s < name.startCount; ++s)
        if (oneSlipAt(name.folded, name.starts[s], word)) return true;
    return false;
}

struct RowNames {
    const NameView& caption;
    std::wstring_view fileName;
    uint64_t fileLetters;
    const NameView* also;
};

int bestContainsClass(const RowNames& row, std::wstring_view text, uint64_t letters, bool initials) {
    int best = containsClass(row.caption, text, letters, initials);
    if (row.also && best != kMatchCaptionStart) {
        const int also = containsClass(*row.also, text, letters, initials);
        if (also >= 0 && (best < 0 || also < best)) best = also;
    }
    if (best >= 0) return best;
    if (lettersThere(letters, row.fileLetters) && row.fileName.find(text) != std::wstring_view::npos)
        return kMatchFileNameHolds;
    return -1;
}

Match matchWord(const RowNames& row, size_t w, SearchQuery& query) {
    const std::wstring_view word = query.words[w];
    const uint64_t letters = query.wordLetters[w];
    const int contained = bestContainsClass(row, word, letters, true);
    if (contained >= 0) return Match{contained, 0};
    int cost = kNoCost;
    for (const NameView* name : {&row.caption, row.also})
        if (name && lettersThere(letters, name->letters) && lettersInOrder(name->folded, word))
            cost = std::min(cost, gapsCost(*name, word, query.costs));
    if (cost != kNoCost) return Match{kMatchLettersInOrder, cost};
    if (oneSlip(row.caption, word, letters) || (row.also && oneSlip(*row.also, word, letters)))
        return Match{kMatchOneSlip, 0};
    return Match{};
}

}  // namespace

uint64_t letterBits(std::wstring_view folded) {
    uint64_t bits = 0;
    for (wchar_t c : folded) bits |= letterBit(c);
    return bits;
}

size_t prepareName(std::wstring_view caption, std::wstring& folded, std::vector<uint16_t>& starts, uint64_t& letters,
                   uint64_t& startLetters) {
    const size_t first = starts.size();
    const auto keep = [&](size_t at) {
        if (at <= UINT16_MAX) starts.push_back(static_cast<uint16_t>(at));
    };
    if (plainAscii(caption)) {
        folded = foldedForSearch(caption);
        for (size_t i = 0; i < caption.size(); ++i)
            if (startsWord(caption, i)) keep(i);
    } else {
        // Folding may change a word's length (accents, ligatures): each word is
        // folded on its own, so that its start is known in the folded text.
        folded.clear();
        size_t from = 0;
        for (size_t i = 1; i <= caption.size(); ++i) {
            if (i < caption.size() && !startsWord(caption, i)) continue;
            if (startsWord(caption, from)) keep(folded.size());
            folded += foldedForSearch(caption.substr(from, i - from));
            from = i;
        }
    }
    letters = letterBits(folded);
    startLetters = 0;
    for (size_t s = first; s < starts.size(); ++s)
        if (starts[s] < folded.size()) startLetters |= letterBit(folded[starts[s]]);
    return starts.size() - first;
}

SearchName searchName(std::wstring_view caption) {
    SearchName name;
    prepareName(caption, name.folded, name.starts, name.letters, name.startLetters);
    return name;
}

SearchQuery searchQuery(std::wstring_view folded) {
    SearchQuery query;
    const size_t first = folded.find_first_not_of(L' ');
    if (first == std::wstring_view::npos) return query;
    query.whole = folded.substr(first, folded.find_last_not_of(L' ') + 1 - first);
    size_t at = 0;
    while (at < query.whole.size()) {
        const size_t end = std::min(query.whole.find(L' ', at), query.whole.size());
        if (end > at) {
            query.words.push_back(query.whole.substr(at, end - at));
            query.wordLetters.push_back(letterBits(query.words.back()));
        }
        at = end + 1;
    }
    query.letters = letterBits(query.whole);
    return query;
}

Match matchRow(const NameView& caption, std::wstring_view fileName, uint64_t fileLetters, const NameView* alsoName,
               SearchQuery& query) {
    if (query.words.empty()) return Match{};
    const RowNames row{caption, fileName, fileLetters, alsoName};
    if (query.words.size() == 1) return matchWord(row, 0, query);
    // The words as typed together come first; then each on its own.
    const int together = bestContainsClass(row, query.whole, query.letters, false);
    if (together >= 0) return Match{together, 0};
    Match all{kMatchAllWords, 0};
    for (size_t w = 0; w < query.words.size(); ++w) {
        const Match word = matchWord(row, w, query);
        if (word.matchClass < 0) return Match{};
        all.matchClass = std::max(all.matchClass, word.matchClass);
        all.quality += word.quality;
    }
    return all;
}

Match matchTexts(std::wstring_view caption, std::wstring_view fileName, std::wstring_view typed) {
    const SearchName name = searchName(caption);
    const std::wstring file = foldedForSearch(fileName);
    SearchQuery query = searchQuery(foldedForSearch(typed));
    return matchRow(name.view(), file, letterBits(file), nullptr, query);
}

bool narrowsSearch(std::wstring_view before, std::wstring_view after) {
    if (!after.starts_with(before)) return false;
    const SearchQuery was = searchQuery(before);
    if (was.words.empty()) return false;
    // Only the last word grows; past the length that allows a slip it may
    // match rows it did not match before.
    const SearchQuery is = searchQuery(after);
    const size_t last = was.words.size() - 1;
    return !(was.words[last].size() < kShortestSlipWord && is.words[last].size() >= kShortestSlipWord);
}
