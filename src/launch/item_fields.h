#pragma once
// An item taken apart: the form that launching, icon lookup and the editor work on.
#include <string>

#include "store/category_store.h"
#include "store/item_definition.h"

// Bits: the start-up launch skips the kinds inside kSkippedAtStartup.
enum class ItemKind { Ordinary = 0, CategorySwitch = 1, FileMenu = 2, WebAddress = 4 };
constexpr int kSkippedAtStartup = 3;

struct ItemFields {
    std::wstring text;
    // Filled by fetchItemIcon for whoever holds the record, which then owns them.
    void* largeIcon = nullptr;
    void* smallIcon = nullptr;
    std::wstring command;
    std::wstring parameters;  // with real ";" characters
    std::wstring directory;
    int showMode = kShowModeNormal;
    std::wstring iconSource;
    ItemKind kind = ItemKind::Ordinary;
};

// What the command, as stored, asks for.
ItemKind itemKindOf(const std::wstring& command);

void parseItem(const CategoryItem& element, ItemFields& fields);

// parseItem, then environment references expanded in command, parameters and
// directory; leftover "%...%" pairs are removed, except from a web or mail address
// and from parameters that hold one.
void prepareLaunch(const CategoryItem& element, ItemFields& record);

// The system's expansion, then every leftover "%...%" pair removed (a single "%"
// stays).
std::wstring expandVariables(std::wstring_view text);

// Environment expanded (unknown references stay) and made absolute against the
// current directory; an empty text stays empty.
std::wstring toFullPath(const std::wstring& path);

// Composes the element from the fields: ";" in every field stored as
// kFieldSemicolon, an icon
// source inside `dataFolder` (with its trailing "\") stored relative to it,
// trailing empty fields dropped. A separator gets an empty definition.
void joinDefinition(const ItemFields& fields, bool separator, const std::wstring& dataFolder, CategoryItem& element);
