#pragma once
// What Find learns from the rows started out of it: for each text typed, which
// row was chosen, how often and when last. Kept in a small text file of the
// data folder, a choice a line.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct LearnedChoice {
    uint32_t uses = 0;
    uint64_t lastUse = 0;  // seconds since 1601
    std::wstring typed;    // folded as Find folds it
    std::wstring row;      // rowKey of the row chosen
};

// The most choices kept: past it the one used longest ago goes.
constexpr size_t kMostLearnedChoices = 400;
// Texts and rows longer than these are not learned, which bounds the file.
constexpr size_t kLongestLearnedText = 256;
constexpr size_t kLongestLearnedRow = 2048;

// A row by what it starts: an item by its category and its line, a shortcut
// by its file. The same row keeps its key while the file keeps the line.
std::wstring itemRowKey(std::wstring_view category, std::wstring_view text, std::wstring_view definition);
std::wstring shortcutRowKey(std::wstring_view shortcutFile);
// A short stand-in for a key, cheap to keep beside every item of the index.
uint64_t rowKeyHash(std::wstring_view key);
// rowKeyHash(itemRowKey(...)), without making the key.
uint64_t itemRowHash(std::wstring_view category, std::wstring_view text, std::wstring_view definition);

// The choices of a file's text; lines that are not choices are passed over,
// and past kMostLearnedChoices the ones used longest ago.
std::vector<LearnedChoice> parseLearnedChoices(std::wstring_view text);
std::wstring formatLearnedChoices(const std::vector<LearnedChoice>& choices);

// Counts one more start of `row` after typing `typed`. False when nothing is
// learned (an empty text, a row too long to keep).
bool learnChoice(std::vector<LearnedChoice>& choices, std::wstring_view typed, std::wstring_view row,
                 uint64_t now);

// What the choices say about rows, by rowKeyHash.
struct LearnedRanking {
    // How much each row chosen before should rise: more for more starts, less
    // for starts long ago.
    std::unordered_map<uint64_t, double> weight;
    std::vector<LearnedChoice> choices;
};
LearnedRanking learnedRanking(std::vector<LearnedChoice> choices, uint64_t now);

// How strongly the choices made for texts like `typed` (the same text, or one
// of the two beginning the other) point at each row: the row that should come
// first has the most.
std::unordered_map<uint64_t, uint64_t> favouritesFor(const LearnedRanking& ranking, std::wstring_view typed);
