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

// Separators, headings and items without a caption cannot be started from a
// list of results, so they are not offered.
bool indexItem(const std::wstring& category, const CategoryItem& item, IndexedItem& indexed,
               std::vector<uint16_t>& wordStarts) {
    const std::wstring command = splitDefinition(itemDefinition(item)).command;
    if (command.empty()) return false;
    // Only what a row shows is searched: the rest of a caption of a megabyte
    // could only give matches nobody sees, and searching it costs every letter typed.
    indexed.caption = shownText(expandVariables(itemText(item)));
    if (indexed.caption.empty()) return false;
    indexed.item = item;
    prepareForMatching(indexed, filePartOf(command), wordStarts);
    indexed.key = itemRowHash(category, itemText(item), itemDefinition(item));
    return true;
}

bool readCategory(IndexedCategory& category, const DriveLetters& drives) {
    CategoryFileContent content;
    if (!readCategoryFile(category.path, content)) return false;
    if (drives.varDrive) adaptDriveLetters(content.items, drives);
    category.items.clear();
    category.wordStarts.clear();
    IndexedItem indexed;
    for (const CategoryItem& item : content.items) {
        const size_t startsBefore = category.wordStarts.size();
        if (indexItem(category.name, item, indexed, category.wordStarts))
            category.items.push_back(std::move(indexed));
        else
            category.wordStarts.resize(startsBefore);
        indexed = IndexedItem{};
    }
    return true;
}

IndexedCategory* readBefore(FindIndex& index, const std::wstring& name) {
    for (IndexedCategory& category : index.categories)
        if (sameTextIgnoringCase(category.name, name)) return &category;
    return nullptr;
}

using Ranked = std::vector<FindResult>[kMatchClasses];

// Letters in order come by how well they matched; the rest as found.
std::vector<FindResult> joinedRanks(Ranked& ranked, bool menuOrder) {
    for (std::vector<FindResult>& rank : ranked)
        std::stable_sort(rank.begin(), rank.end(), [menuOrder](const FindResult& a, const FindResult& b) {
            if (a.quality != b.quality) return a.quality < b.quality;
            if (!menuOrder) return false;
            return a.category != b.category ? a.category < b.category : a.item < b.item;
        });
    std::vector<FindResult> results = std::move(ranked[0]);
    for (int rank = 1; rank < kMatchClasses; ++rank)
        results.insert(results.end(), ranked[rank].begin(), ranked[rank].end());
    return results;
}

}  // namespace

void prepareForMatching(IndexedItem& item, std::wstring_view fileName, std::vector<uint16_t>& wordStarts) {
    item.firstStart = static_cast<uint32_t>(wordStarts.size());
    const size_t count = prepareName(item.caption, item.foldedCaption, wordStarts, item.letters, item.startLetters);
    item.startCount = static_cast<uint16_t>(std::min<size_t>(count, UINT16_MAX));
    wordStarts.resize(item.firstStart + item.startCount);
    item.foldedFileName = foldedForSearch(fileName);
    item.fileLetters = letterBits(item.foldedFileName);
}

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
            category.wordStarts = std::move(known->wordStarts);
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
        category.wordStarts.clear();
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

Match matchItem(const FindIndex& index, const IndexedCategory& category, const IndexedItem& item,
                SearchQuery& query) {
    // Word starts out of the pool's reach would be read past its end: none then.
    const bool starts = size_t{item.firstStart} + item.startCount <= category.wordStarts.size();
    const NameView caption{item.foldedCaption, starts ? category.wordStarts.data() + item.firstStart : nullptr,
                           starts ? item.startCount : size_t{0}, item.letters, item.startLetters};
    const bool aliased = item.alias >= 0 && static_cast<size_t>(item.alias) < index.aliases.size();
    const NameView alias = aliased ? index.aliases[static_cast<size_t>(item.alias)].view() : NameView{};
    return matchRow(caption, item.foldedFileName, item.fileLetters, aliased ? &alias : nullptr, query);
}

std::vector<FindResult> findItems(const FindIndex& index, const std::wstring& foldedText) {
    Ranked ranked;
    SearchQuery query = searchQuery(foldedText);
    if (query.words.empty()) return {};
    for (size_t c = 0; c < index.categories.size(); ++c) {
        const IndexedCategory& category = index.categories[c];
        for (size_t i = 0; i < category.items.size(); ++i) {
            const Match match = matchItem(index, category, category.items[i], query);
            if (match.matchClass >= 0)
                ranked[match.matchClass].push_back(
                    FindResult{static_cast<int>(c), static_cast<int>(i), match.matchClass, match.quality});
        }
    }
    return joinedRanks(ranked, false);
}

std::vector<FindResult> findItemsAmong(const FindIndex& index, const std::vector<FindResult>& found,
                                       const std::wstring& foldedText) {
    Ranked ranked;
    SearchQuery query = searchQuery(foldedText);
    for (const FindResult& result : found) {
        const IndexedCategory& category = index.categories[static_cast<size_t>(result.category)];
        const Match match = matchItem(index, category, category.items[static_cast<size_t>(result.item)], query);
        if (match.matchClass >= 0)
            ranked[match.matchClass].push_back(FindResult{result.category, result.item, match.matchClass, match.quality});
    }
    // A row may change its class as the text grows: back into menu order.
    return joinedRanks(ranked, true);
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
        if (a.result.quality != b.result.quality) return a.result.quality < b.result.quality;
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
