// The editor's item operations on a real category list: accepting, the folder
// rule, separators, the Explorer options, moving, deleting and sorting.
#include <gtest/gtest.h>

#include <random>

#include "editor/editor_window.h"
#include "editor/item_editing.h"
#include "support/icon_pixels.h"
#include "platform/text_case.h"
#include "support/test_files.h"

namespace {

CategoryItem item(const std::wstring& text, const std::wstring& definition = L"cmd.exe") {
    CategoryItem element;
    setItemText(element, text);
    setItemDefinition(element, definition);
    return element;
}

std::vector<std::wstring> textsOf(const CategoryStore& store) {
    std::vector<std::wstring> texts;
    for (const CategoryItem& element : store.items) texts.emplace_back(itemText(element));
    return texts;
}

// Typing into the fields, as the field events do.
void type(EditorState& editor, const std::wstring& text, const std::wstring& command,
          const std::wstring& parameters = L"", const std::wstring& directory = L"") {
    storeFieldText(editor, ItemField::Text, text);
    storeFieldText(editor, ItemField::Command, command);
    storeFieldText(editor, ItemField::Parameters, parameters);
    storeFieldText(editor, ItemField::Directory, directory);
}

TEST(ItemEditing, AcceptingTypedItemsOnAnEmptyListBuildsTheList) {
    CategoryStore store;
    EditorState editor;
    type(editor, L"  Mail = Web  ", L" cmd.exe ", L"/c dir", L"C:\\");
    ASSERT_TRUE(acceptItem(editor, store, L"C:\\data\\"));
    ASSERT_EQ(store.items.size(), 1u);
    EXPECT_EQ(store.selectedItem, 0);
    // "=" would end the caption in the file.
    EXPECT_EQ(itemText(store.items[0]), L"Mail ? Web");
    EXPECT_EQ(itemDefinition(store.items[0]), L"cmd.exe;/c dir;C:\\");
    EXPECT_FALSE(editor.pendingEdit);
    EXPECT_FALSE(editor.newItem);
    EXPECT_TRUE(editor.modified);

    // A separator typed by hand is kept; the same text with parameters needs a command.
    insertItem(editor, store, false);
    type(editor, L"-- tools --", L"", L"x");
    EXPECT_FALSE(acceptItem(editor, store, L""));
    EXPECT_TRUE(editor.pendingEdit);
    storeFieldText(editor, ItemField::Parameters, L"");
    ASSERT_TRUE(acceptItem(editor, store, L""));
    EXPECT_EQ(itemText(store.items[1]), L"-- tools --");
    EXPECT_EQ(itemDefinition(store.items[1]), L"");

    // No text: refused, the new item stays to be filled or cancelled.
    insertItem(editor, store, false);
    type(editor, L"", L"cmd.exe");
    EXPECT_FALSE(acceptItem(editor, store, L""));
    cancelItemEdit(editor, store);
    EXPECT_EQ(textsOf(store), (std::vector<std::wstring>{L"Mail ? Web", L"-- tools --"}));
    EXPECT_EQ(store.selectedItem, 1);
}

// A new item that was never accepted was never the category's: cancelling it
// leaves the category unchanged, with the item before it current again.
TEST(ItemEditing, CancellingANewItemChangesNothing) {
    CategoryStore store;
    store.items = {item(L"A"), item(L"B")};
    store.selectedItem = 0;
    EditorState editor;
    insertItem(editor, store, false);
    cancelItemEdit(editor, store);
    EXPECT_EQ(textsOf(store), (std::vector<std::wstring>{L"A", L"B"}));
    EXPECT_EQ(store.selectedItem, 0);
    EXPECT_FALSE(editor.modified);
}

TEST(ItemEditing, AnExistingFolderWithoutCommandBecomesAnExplorerItem) {
    TempFolder dir;
    const std::wstring folder = dir.file(L"Projects");
    std::filesystem::create_directory(folder);
    CategoryStore store;
    EditorState editor;
    type(editor, L"", L"", L"", folder);
    ASSERT_TRUE(acceptItem(editor, store, L""));
    EXPECT_EQ(itemText(store.items[0]), L"Projects");
    EXPECT_EQ(itemDefinition(store.items[0]), L"Explorer.exe;/e,;" + folder);

    // A directory that names no folder does not stop an item with a command.
    insertItem(editor, store, false);
    type(editor, L"Tool", L"cmd.exe", L"", dir.file(L"missing"));
    EXPECT_TRUE(acceptItem(editor, store, L""));
}

TEST(ItemEditing, ExplorerBoxesRebuildTheParameters) {
    EditorState editor;
    editor.workingCopy.command = L"EXPLORER.EXE";
    EXPECT_TRUE(isExplorerCommand(editor.workingCopy.command));
    editor.workingCopy.parameters = L"C:\\Users\\Ann";
    applyExplorerOptions(editor, true, false);
    EXPECT_EQ(editor.workingCopy.parameters, L"/e,c:\\users\\ann");
    applyExplorerOptions(editor, true, true);
    EXPECT_EQ(editor.workingCopy.parameters, L"/e,/root,c:\\users\\ann");
    applyExplorerOptions(editor, false, false);
    EXPECT_EQ(editor.workingCopy.parameters, L"c:\\users\\ann");
    EXPECT_TRUE(editor.pendingEdit);
}

TEST(ItemEditing, MovingDeletingAndSeparators) {
    CategoryStore store;
    EditorState editor;
    for (const wchar_t* text : {L"a", L"b", L"c"}) store.items.push_back(item(text));
    store.selectedItem = 0;
    EXPECT_FALSE(moveCurrentItem(editor, store, -1));
    EXPECT_TRUE(moveCurrentItem(editor, store, 1));
    EXPECT_TRUE(moveCurrentItem(editor, store, 1));
    EXPECT_FALSE(moveCurrentItem(editor, store, 1));
    EXPECT_EQ(textsOf(store), (std::vector<std::wstring>{L"b", L"c", L"a"}));
    EXPECT_EQ(store.selectedItem, 2);

    insertItem(editor, store, true);
    EXPECT_EQ(textsOf(store), (std::vector<std::wstring>{L"b", L"c", L"a", L"-"}));
    loadWorkingCopy(editor, store);
    EXPECT_FALSE(deleteAsks(editor, false));  // a separator goes at once
    deleteCurrentItem(editor, store);
    EXPECT_EQ(store.selectedItem, 2);  // past the end: the last one
    loadWorkingCopy(editor, store);
    EXPECT_TRUE(deleteAsks(editor, false));
    EXPECT_FALSE(deleteAsks(editor, true));  // Ctrl held
    for (int i = 0; i < 3; ++i) {
        loadWorkingCopy(editor, store);
        deleteCurrentItem(editor, store);
    }
    EXPECT_TRUE(store.items.empty());
    EXPECT_EQ(store.selectedItem, -1);
}

// What swapping neighbours gives: each pass compares every item with the one
// before and swaps on exactly -1, up to the last swap of the pass before.
std::vector<std::wstring> bubbleSorted(std::vector<std::wstring> texts) {
    size_t end = texts.size();
    while (end > 1) {
        size_t lastSwap = 0;
        for (size_t i = 1; i < end; ++i) {
            if (compareTextIgnoringCase(texts[i], texts[i - 1]) == -1) {
                std::swap(texts[i], texts[i - 1]);
                lastSwap = i;
            }
        }
        end = lastSwap;
    }
    return texts;
}

TEST(ItemEditing, SortingGivesTheOrderOfSwappingNeighbours) {
    std::mt19937 random(7);
    const wchar_t* words[] = {L"beta", L"Beta", L"BETA", L"alpha", L"Alpha", L"-", L"gamma", L"\u00e4pfel", L"Zebra",
                              L"a", L"10", L"9"};
    for (int round = 0; round < 20; ++round) {
        CategoryStore store;
        EditorState editor;
        std::vector<std::wstring> texts;
        for (int i = 0; i < 40; ++i) {
            // Equal texts are told apart by their definitions.
            const std::wstring text = words[random() % std::size(words)];
            texts.push_back(text);
            store.items.push_back(item(text, std::to_wstring(i)));
        }
        store.selectedItem = 5;
        sortItems(editor, store);
        EXPECT_EQ(textsOf(store), bubbleSorted(texts));
        EXPECT_EQ(store.selectedItem, 0);
        // Items that compare equal keep their order.
        for (size_t i = 1; i < store.items.size(); ++i) {
            if (compareTextIgnoringCase(std::wstring(itemText(store.items[i])), std::wstring(itemText(store.items[i - 1]))) != 0)
                continue;
            EXPECT_LT(std::stoi(std::wstring(itemDefinition(store.items[i - 1]))),
                      std::stoi(std::wstring(itemDefinition(store.items[i]))));
        }
    }
}

// The icon button shows the working copy's own icon: kept through Accept, made
// anew for a new command, never one that the list's icon cache may let go.
TEST(ItemEditing, TheWorkingCopyKeepsAnIconOfItsOwn) {
    CategoryStore store;
    EditorState editor;
    type(editor, L"Shell", L"C:\\windows\\system32\\cmd.exe");
    ASSERT_TRUE(acceptItem(editor, store, L""));
    void* icon = editor.workingCopy.largeIcon;
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(editor.workingIcon.handle, icon);
    EXPECT_GT(iconWidth(icon), 0);
    storeFieldText(editor, ItemField::Command, L"C:\\windows\\notepad.exe");
    EXPECT_EQ(editor.workingCopy.largeIcon, nullptr);
    fetchWorkingIcon(editor);
    EXPECT_GT(iconWidth(editor.workingCopy.largeIcon), 0);
    cancelItemEdit(editor, store);
    loadWorkingCopy(editor, store);
    EXPECT_EQ(editor.workingCopy.command, L"C:\\windows\\system32\\cmd.exe");
}

}  // namespace

namespace {

// The editor opens where the launcher stood, moved into the work area.
TEST(EditorWindow, OpensAtTheLauncherMovedIntoTheWorkArea) {
    const ScreenRect area{0, 0, 1024, 700};
    EXPECT_EQ(editorWindowPosition(100, 120, area).x, 100);
    EXPECT_EQ(editorWindowPosition(100, 120, area).y, 120);
    EXPECT_EQ(editorWindowPosition(900, 600, area).x, 1024 - 732);
    EXPECT_EQ(editorWindowPosition(900, 600, area).y, 700 - 418);
    EXPECT_EQ(editorWindowPosition(-50, -10, area).x, 0);
    EXPECT_EQ(editorWindowPosition(-50, -10, area).y, 0);
    // Far beyond the right edge (another monitor): kept.
    EXPECT_EQ(editorWindowPosition(1024 + 800, 100, area).x, 1024 + 800);
}

}  // namespace
