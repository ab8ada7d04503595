#include "launch/icon_cache.h"

#include "launch/item_icons.h"
#include "platform/files.h"
#include "platform/text_case.h"

namespace {

std::wstring sizeTag(int pixels) { return L"|" + std::to_wstring(pixels); }

bool holdsBytes(const std::wstring& file) {
    uint64_t length = 0;
    return fileSize(file, length) && length > 0;
}

CachedIcon lookUp(const IconCache& cache, const std::wstring& key) {
    const auto found = cache.icons.find(key);
    if (found == cache.icons.end() || !found->second.icon) return CachedIcon{};
    return CachedIcon{found->second.icon.handle, found->second.id};
}

// Makes the entry unless there is one; a failed extraction is kept too, so
// that it is not tried again for every item that names the same file.
template <typename Extract>
const IconCache::Entry& entryFor(IconCache& cache, const std::wstring& key, Extract extract) {
    auto found = cache.icons.find(key);
    if (found != cache.icons.end()) return found->second;
    IconCache::Entry entry;
    entry.icon.reset(extract());
    if (entry.icon) entry.id = cache.nextId++;
    return cache.icons.emplace(key, std::move(entry)).first->second;
}

// The key in `icons` of the icon the plan leads to, extracting what is missing.
std::wstring resolve(IconCache& cache, const IconPlan& plan, int pixels) {
    const IconServices& services = cache.services;
    if (!plan.sourceFile.empty() && holdsBytes(plan.sourceFile)) {
        const std::wstring key =
            L"file|" + toLowerCase(plan.sourceFile) + L"|" + std::to_wstring(plan.sourceIndex) + sizeTag(pixels);
        if (entryFor(cache, key, [&] { return services.extractFileIcon(plan.sourceFile, plan.sourceIndex, pixels); })
                .icon)
            return key;
    }
    if (plan.defaultIcon) {
        const std::wstring key = L"default" + sizeTag(pixels);
        entryFor(cache, key, [&] { return defaultApplicationIcon(pixels); });
        return key;
    }
    const int index = services.shellIconIndexOf(plan.shellPath);
    if (index < 0) return std::wstring();
    const std::wstring key = L"shell|" + std::to_wstring(index) + sizeTag(pixels);
    entryFor(cache, key, [&] { return services.shellIconOf(plan.shellPath, pixels); });
    return key;
}

}  // namespace

IconServices systemIconServices() { return IconServices{extractFileIcon, shellIconIndexOf, shellIconOf}; }

std::wstring iconRequestOf(const IconPlan& plan) {
    std::wstring request = plan.sourceFile;
    request += L'|';
    request += std::to_wstring(plan.sourceIndex);
    request += L'|';
    request += plan.defaultIcon ? std::wstring(L"*") : plan.shellPath;
    return request;
}

std::wstring iconRequestOf(const ItemFields& fields) { return iconRequestOf(planItemIcon(fields)); }

CachedIcon cachedItemIcon(IconCache& cache, const ItemFields& fields, int pixels) {
    return cachedPlanIcon(cache, planItemIcon(fields), pixels);
}

CachedIcon cachedPlanIcon(IconCache& cache, const IconPlan& plan, int pixels) {
    const std::wstring request = iconRequestOf(plan) + sizeTag(pixels);
    const auto known = cache.answers.find(request);
    if (known != cache.answers.end()) return lookUp(cache, known->second);
    const std::wstring key = resolve(cache, plan, pixels);
    cache.answers.emplace(request, key);
    return lookUp(cache, key);
}

void releaseIconCache(IconCache& cache) {
    cache.answers.clear();
    cache.icons.clear();
}
