#include "find/find_index.h"

#include <algorithm>
#include <cwctype>
#include <utility>

#include "launch/item_fields.h"
#include "find/find_learning.h"
#include "launch/launch_item.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/shown_text.h"
#include "platform/text_case.h"
#include "store/category_file.h"
#include "store/item_definition.h"

namespace {

constexpr int kRankCount = 4;

// Separators, headings and items without a caption cannot be started from a
// list of results, so they are not offered.
bool indexItem(const std::wstring& category, const CategoryItem& item, IndexedItem& indexed) {
    const std::wstring command = splitDefinition(itemDefinition(item)).command;
    if (command.empty()) return false;
    // Only what a row shows is searched: the rest of a caption of a megabyte
    // could only give matches nobody sees, and searching it costs every letter typed.
    indexed.caption = shownText(expandVariables(itemText(item)));
    if (indexed.caption.empty()) return false;
    indexed.item = item;
    indexed.foldedCaption = foldedForSearch(indexed.caption);
    indexed.foldedFileName = foldedForSearch(filePartOf(command));
    indexed.key = itemRowHash(category, itemText(item), itemDefinition(item));
    return true;
}

bool readCategory(IndexedCategory& category, const DriveLetters& drives) {
    CategoryFileContent content;
    if (!readCategoryFile(category.path, content)) return false;
    if (drives.varDrive) adaptDriveLetters(content.items, drives);
    category.items.clear();
    IndexedItem indexed;
    for (const CategoryItem& item : content.items)
        if (indexItem(category.name, item, indexed)) category.items.push_back(std::move(indexed));
    return true;
}

IndexedCategory* readBefore(FindIndex& index, const std::wstring& name) {
    for (IndexedCategory& category : index.categories)
        if (sameTextIgnoringCase(category.name, name)) return &category;
    return nullptr;
}

bool isWordCharacter(wchar_t c) { return std::iswalnum(static_cast<wint_t>(c)) != 0; }

std::vector<FindResult> joinedRanks(std::vector<FindResult> (&ranked)[kRankCount]) {
    std::vector<FindResult> results = std::move(ranked[0]);
    for (int rank = 1; rank < kRankCount; ++rank)
        results.insert(results.end(), ranked[rank].begin(), ranked[rank].end());
    return results;
}

}  // namespace

void refreshFindIndex(FindIndex& index, const std::vector<std::wstring>& names, const DriveLetters& drives) {
    std::vector<IndexedCategory> fresh;
    fresh.reserve(names.size());
    for (const std::wstring& name : names) {
        IndexedCategory category;
        category.name = name;
        category.path = categoryFilePathOf(name);
        if (!fileStamp(category.path, category.stamp)) continue;
        IndexedCategory* known = readBefore(index, name);
        // The old index is replaced as a whole: what it read stays read.
        if (known && known->path == category.path && known->stamp == category.stamp) {
            category.items = std::move(known->items);
        } else {
            if (!readCategory(category, drives)) continue;
            ++index.filesRead;
        }
        fresh.push_back(std::move(category));
    }
    index.categories = std::move(fresh);
}

bool refreshChangedCategories(FindIndex& index, const DriveLetters& drives) {
    bool changed = false;
    for (IndexedCategory& category : index.categories) {
        if (category.shortcuts) continue;
        FileStamp now;  // stays empty for a file that is not there
        const bool there = fileStamp(category.path, now);
        if (now == category.stamp) continue;
        changed = true;
        category.stamp = now;
        if (there && readCategory(category, drives)) {
            ++index.filesRead;
            continue;
        }
        // Kept without items: a file that is saved by deleting and writing it
        // anew, or that another program holds for a moment, is back at a
        // later letter, without the folder being listed for it.
        category.items.clear();
        category.stamp = FileStamp{};
    }
    return changed;
}

bool categoryFileChanged(const IndexedCategory& category) {
    if (category.shortcuts) return false;
    FileStamp now;
    fileStamp(category.path, now);
    return now != category.stamp;
}

std::vector<std::wstring> searchedCategories(const std::vector<std::wstring>& categoryList,
                                             const std::wstring& startupCategory) {
    std::vector<std::wstring> names;
    for (const std::wstring& name : categoryList)
        if (!isTempCategory(name) && !(!startupCategory.empty() && sameTextIgnoringCase(name, startupCategory)))
            names.push_back(name);
    return names;
}

int matchRank(const std::wstring& foldedCaption, const std::wstring& foldedFileName, const std::wstring& foldedText) {
    if (foldedText.empty()) return -1;
    size_t at = foldedCaption.find(foldedText);
    if (at == 0) return 0;
    if (at != std::wstring::npos) {
        for (; at != std::wstring::npos; at = foldedCaption.find(foldedText, at + 1))
            if (!isWordCharacter(foldedCaption[at - 1])) return 1;
        return 2;
    }
    return foldedFileName.find(foldedText) != std::wstring::npos ? 3 : -1;
}

std::vector<FindResult> findItems(const FindIndex& index, const std::wstring& foldedText) {
    std::vector<FindResult> ranked[kRankCount];
    for (size_t c = 0; c < index.categories.size(); ++c) {
        const std::vector<IndexedItem>& items = index.categories[c].items;
        for (size_t i = 0; i < items.size(); ++i) {
            const int rank = matchRank(items[i].foldedCaption, items[i].foldedFileName, foldedText);
            if (rank >= 0) ranked[rank].push_back(FindResult{static_cast<int>(c), static_cast<int>(i), rank});
        }
    }
    return joinedRanks(ranked);
}

std::vector<FindResult> findItemsAmong(const FindIndex& index, const std::vector<FindResult>& found,
                                       const std::wstring& foldedText) {
    std::vector<FindResult> ranked[kRankCount];
    for (const FindResult& result : found) {
        const IndexedItem& item =
            index.categories[static_cast<size_t>(result.category)].items[static_cast<size_t>(result.item)];
        const int rank = matchRank(item.foldedCaption, item.foldedFileName, foldedText);
        if (rank >= 0) ranked[rank].push_back(FindResult{result.category, result.item, rank});
    }
    // A longer text ranks an item no better than before, so a rank gathers
    // items of the same rank or better ones before: back into menu order.
    for (std::vector<FindResult>& rank : ranked)
        std::sort(rank.begin(), rank.end(), [](const FindResult& a, const FindResult& b) {
            return a.category != b.category ? a.category < b.category : a.item < b.item;
        });
    return joinedRanks(ranked);
}

void orderByLearning(std::vector<FindResult>& results, const FindIndex& index, const LearnedRanking& ranking,
                     const std::wstring& foldedText) {
    if (ranking.choices.empty() || results.empty()) return;
    const auto keyOf = [&index](const FindResult& r) {
        return index.categories[static_cast<size_t>(r.category)].items[static_cast<size_t>(r.item)].key;
    };
    // Weights looked up once a row, not at every comparison.
    struct Weighed {
        FindResult result;
        bool shortcut;
        double weight;
    };
    std::vector<Weighed> rows;
    rows.reserve(results.size());
    bool anyWeight = false;
    for (const FindResult& result : results) {
        const auto found = ranking.weight.find(keyOf(result));
        const double weight = found == ranking.weight.end() ? 0.0 : found->second;
        anyWeight = anyWeight || weight > 0.0;
        rows.push_back(Weighed{result, index.categories[static_cast<size_t>(result.category)].shortcuts, weight});
    }
    if (!anyWeight) return;
    std::stable_sort(rows.begin(), rows.end(), [](const Weighed& a, const Weighed& b) {
        if (a.result.rank != b.result.rank) return a.result.rank < b.result.rank;
        if (a.shortcut != b.shortcut) return !a.shortcut;
        return a.weight > b.weight;
    });
    const std::unordered_map<uint64_t, uint64_t> favourites = favouritesFor(ranking, foldedText);
    size_t first = 0;
    uint64_t mostVotes = 0;
    for (size_t i = 0; i < rows.size() && !favourites.empty(); ++i) {
        const auto found = favourites.find(keyOf(rows[i].result));
        if (found != favourites.end() && found->second > mostVotes) {
            mostVotes = found->second;
            first = i;
        }
    }
    std::rotate(rows.begin(), rows.begin() + static_cast<std::ptrdiff_t>(first),
                rows.begin() + static_cast<std::ptrdiff_t>(first) + 1);
    for (size_t i = 0; i < rows.size(); ++i) results[i] = rows[i].result;
}
