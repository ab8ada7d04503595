#include "editor/icon_selection.h"

#include <algorithm>
#include <vector>

#include "launch/launch_state.h"
#include "launch/modal_owner.h"
#include "launcher/commands.h"
#include "launcher/launcher_window.h"
#include "platform/centered_message_box.h"
#include "platform/file_dialogs.h"
#include "platform/files.h"
#include "platform/icon_handle.h"
#include "platform/icons.h"
#include "platform/image_lists.h"
#include "platform/shell.h"
#include "platform/ui_controls.h"
#include "platform/ui_dialog_controls.h"
#include "platform/ui_events.h"
#include "platform/ui_item_view.h"
#include "platform/ui_panel_controls.h"
#include "platform/ui_windows.h"
#include "settings/language.h"

namespace {

constexpr int W = kIconWindow;
constexpr int kInnerWidth = 355;
constexpr int kInnerHeight = 205;
// Libraries of icons hold thousands; beyond this many the list takes long to
// fill and is no help in finding one.
constexpr int kMostIcons = 500;

enum class Kind { IconList, Button, DefaultButton };

struct ControlRow {
    int id;
    Kind kind;
    int x;
    int y;
    int width;
    int height;
    int textEntry;  // language entry, or 0
};

// In the order the Tab key visits them.
const ControlRow kControls[] = {
    {kIconList, Kind::IconList, 10, 10, 335, 150, 0},
    {kIconBrowseButton, Kind::Button, 10, 170, 80, 24, 34},
    {kIconDefaultButton, Kind::Button, 95, 170, 80, 24, 43},
    {kIconOkButton, Kind::DefaultButton, 180, 170, 80, 24, 28},
    {kIconCancelButton, Kind::Button, 265, 170, 80, 24, 30},
};

// What one run of the dialog keeps.
struct DialogRun {
    ModalOwner modal;
    std::wstring file;   // the icons' file: where Browse starts, then the one chosen
    std::wstring result;
    bool iconsOfFile = false;  // the list shows the icons of `file`, not the item's own
    void* currentIcon = nullptr;  // the item's own, the caller's
    ImageListHandle images;    // what the list shows
};

enum class Outcome { Open, Done };

std::wstring chooseIconFileWithRequester(int ownerWindowId, const std::wstring& startFolder) {
    return chooseFileToOpen(ownerWindowId, L"Icon File", L"Icon File", L"*.exe;*.dll;*.icl;*.ico", startFolder);
}

bool addRow(const ControlRow& row) {
    const std::wstring text = row.textEntry ? languageText(row.textEntry) : std::wstring();
    switch (row.kind) {
        case Kind::IconList: return addItemView(W, row.id, row.x, row.y, row.width, row.height, row.width);
        case Kind::Button: return addPushButton(W, row.id, row.x, row.y, row.width, row.height, text, false);
        case Kind::DefaultButton: return addPushButton(W, row.id, row.x, row.y, row.width, row.height, text, true);
    }
    return false;
}

bool openIconWindow(int owner) {
    WindowSpec spec;
    spec.innerWidth = kInnerWidth;
    spec.innerHeight = kInnerHeight;
    spec.title = languageText(44);
    spec.ownerId = owner;
    spec.dialogFrame = true;
    spec.closeBox = false;
    if (!openWindow(W, spec)) return false;
    useDialogColors(W);
    for (const ControlRow& row : kControls) {
        if (!addRow(row)) return false;
        setControlFont(W, row.id, launcherWindow.fonts[kDialogFont].handle);
    }
    useDialogKeys(W);
    return true;
}

// Each filling gets a list of its own; the one before goes once the view has
// let go of it.
int iconSide() { return iconPixels(IconSize::Large, windowDpi(W)); }

void beginIconFill(DialogRun& run) {
    ImageListHandle fresh(createIconImageList(iconSide()));
    beginItemViewFill(W, kIconList, ItemViewMode::LargeIcons, fresh.handle);
    run.images = std::move(fresh);
}

void showCurrentIcon(DialogRun& run) {
    void* icon = run.currentIcon;
    beginIconFill(run);
    if (icon) appendItemRow(W, kIconList, L"", addImageListIcon(run.images.handle, icon), 0);
    endItemViewFill(W, kIconList, icon ? 0 : -1);
}

void showIconsOfFile(DialogRun& run) {
    beginIconFill(run);
    const int count = std::min(fileIconCount(run.file), kMostIcons);
    const int side = iconSide();
    for (int index = 0; index < count; ++index) {
        // The list keeps a copy of its own.
        const IconHandle icon(extractFileIcon(run.file, index, side));
        appendItemRow(W, kIconList, L"-- " + std::to_wstring(index) + L" --",
                      addImageListIcon(run.images.handle, icon.handle), index);
    }
    endItemViewFill(W, kIconList, count > 0 ? 0 : -1);
    run.iconsOfFile = true;
}

void refillIcons(DialogRun& run) {
    const int row = selectedItemRow(W, kIconList);
    if (run.iconsOfFile)
        showIconsOfFile(run);
    else
        showCurrentIcon(run);
    if (row >= 0) selectItemRow(W, kIconList, row);
}

// A folder is where to look; a file is looked for beside itself.
std::wstring browseStart(const std::wstring& file) {
    if (folderExists(file)) return file;
    const size_t slash = file.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : file.substr(0, slash + 1);
}

// The requester leaves the focus with the window itself, where no key would
// reach a control: it goes to the icons when there are new ones to pick from.
void browse(DialogRun& run) {
    const int focus = focusedControl(W);
    const std::wstring chosen = iconSelectionServices.chooseIconFile(W, browseStart(run.file));
    if (!chosen.empty()) {
        run.file = chosen;
        run.result = chosen;
        showIconsOfFile(run);
    }
    setFocusTo(W, chosen.empty() && focus ? focus : kIconList);
}

// An icon must be chosen, unless the file has only the one.
Outcome pressOk(DialogRun& run) {
    const int row = selectedItemRow(W, kIconList);
    if (row >= 0) {
        run.result = iconChoice(run.result, itemRowData(W, kIconList, row));
        return Outcome::Done;
    }
    return run.iconsOfFile && itemRowCount(W, kIconList) == 1 ? Outcome::Done : Outcome::Open;
}

Outcome press(int control, DialogRun& run) {
    switch (control) {
        case kIconBrowseButton: browse(run); return Outcome::Open;
        case kIconDefaultButton: run.result = L" "; return Outcome::Done;
        case kIconOkButton: return pressOk(run);
        case kIconCancelButton: run.result.clear(); return Outcome::Done;
        default: return Outcome::Open;
    }
}

// Return presses the button that has the focus, else the default one.
Outcome onKey(const UiEvent& event, DialogRun& run) {
    if (event.data != 1) return Outcome::Open;
    if (event.code == kKeyEscape) return press(kIconCancelButton, run);
    if (event.code != kKeyReturn) return Outcome::Open;
    const int focus = focusedControl(W);
    const bool onButton = focus == kIconBrowseButton || focus == kIconDefaultButton || focus == kIconCancelButton;
    return press(onButton ? focus : kIconOkButton, run);
}

void runDialogLoop(DialogRun& run) {
    UiEvent event;
    while (waitEvent(event)) {
        if (event.windowId != W) {
            if (holdForOwner(run.modal, event)) break;
            continue;
        }
        Outcome outcome = Outcome::Open;
        switch (event.kind) {
            case UiEventKind::Key: outcome = onKey(event, run); break;
            case UiEventKind::ControlClick: outcome = press(event.control, run); break;
            case UiEventKind::ItemView:
                if (event.control == kIconList && event.code == kLeftDoubleClick) outcome = pressOk(run);
                break;
            // Alt+F4 still closes a window without a close box.
            case UiEventKind::CloseRequest: outcome = press(kIconCancelButton, run); break;
            // The icons again, at the new display's size.
            case UiEventKind::ScaleChanged: refillIcons(run); break;
            default: break;
        }
        if (outcome == Outcome::Done) return;
    }
    // Ended from outside: the program exits or is quitting.
    run.result.clear();
}


}  // namespace

IconSelectionServices systemIconSelectionServices() { return IconSelectionServices{chooseIconFileWithRequester}; }

IconSelectionServices iconSelectionServices = systemIconSelectionServices();

std::wstring iconChoice(const std::wstring& file, int index) {
    return index > 0 ? file + L"," + std::to_wstring(index) : file;
}

std::wstring SelectIcon(const std::wstring& iconSource, void* currentIcon) {
    DialogRun run;
    run.modal = takeOwner();
    run.file = iconSource.substr(0, iconSource.find(L','));
    if (!openIconWindow(run.modal.owner)) {
        closeWindow(W);
        return std::wstring();
    }
    placeCenteredOn(W, run.modal.owner, kInnerWidth, kInnerHeight);
    run.currentIcon = currentIcon;
    showCurrentIcon(run);
    beginModal(run.modal, W);
    showWindow(W, WindowShow::Show);
    bringWindowToFront(W);
    setFocusTo(W, kIconList);

    runDialogLoop(run);
    endModal(run.modal, W);
    return run.result;
}
