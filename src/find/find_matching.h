#pragma once
// How a typed text matches a caption the way people type: the caption's start,
// a word's start, initials (vsc for Visual Studio Code), anywhere, the command's
// file name, several words in any order, letters with gaps (np++ for Notepad++)
// and one slip in a longer word (firfox). Captions are prepared once when their
// category is read, the text once a keystroke; matching a row allocates nothing.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The ways a row can match, best first: results are listed in this order.
enum MatchClass : int {
    kMatchCaptionStart = 0,
    kMatchWordStart,
    kMatchInitials,
    kMatchCaptionHolds,
    kMatchFileNameHolds,
    kMatchAllWords,
    kMatchLettersInOrder,
    kMatchOneSlip,
    kMatchClasses
};

// A word of this many characters or more may hold one slip.
constexpr size_t kShortestSlipWord = 5;

// A caption as matching reads it: folded (as foldedForSearch folds), where its
// words start, and which characters it holds, to pass over most rows at once.
struct NameView {
    std::wstring_view folded;
    const uint16_t* starts = nullptr;  // ascending positions in `folded`
    size_t startCount = 0;
    uint64_t letters = 0;
    uint64_t startLetters = 0;  // of the characters a word starts with
};

// A prepared caption that owns its word starts (for the few names kept apart
// from a category's pool, and for tests).
struct SearchName {
    std::wstring folded;
    std::vector<uint16_t> starts;
    uint64_t letters = 0;
    uint64_t startLetters = 0;
    NameView view() const { return NameView{folded, starts.data(), starts.size(), letters, startLetters}; }
};

// Folds `caption` and appends the positions where its words start to `starts`:
// after a space or punctuation, at a capital after a small letter (LibreOffice)
// and at a digit after a letter. Returns how many it appended. Positions past
// what 16 bits hold are not kept.
size_t prepareName(std::wstring_view caption, std::wstring& folded, std::vector<uint16_t>& starts, uint64_t& letters,
                   uint64_t& startLetters);
SearchName searchName(std::wstring_view caption);

// A bit for each kind of character `text` holds.
uint64_t letterBits(std::wstring_view folded);

// A typed text, folded, split into its words; with room for the matching of a row.
struct SearchQuery {
    std::wstring whole;  // without spaces before and after
    std::vector<std::wstring> words;
    std::vector<uint64_t> wordLetters;
    uint64_t letters = 0;
    std::vector<uint16_t> costs[2];  // rows of the gaps' costs, kept between rows
};
SearchQuery searchQuery(std::wstring_view folded);

struct Match {
    int matchClass = -1;  // a MatchClass, or -1 for none
    int quality = 0;      // within letters in order: lower is better (word starts, fewer gaps)
};

// How the text matches a row: its caption, its command's file name (folded)
// and, when it stands in for a shortcut, that shortcut's name (or null).
Match matchRow(const NameView& caption, std::wstring_view fileName, uint64_t fileLetters, const NameView* alsoName,
               SearchQuery& query);

// The same for texts as they are shown and typed, prepared for the one call.
Match matchTexts(std::wstring_view caption, std::wstring_view fileName, std::wstring_view typed);

// Whether everything `after` matches is among what `before` matched, so that
// only those rows need a look.
bool narrowsSearch(std::wstring_view before, std::wstring_view after);
