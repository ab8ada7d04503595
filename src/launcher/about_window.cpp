#include "launcher/about_window.h"

#include <iterator>
#include <vector>

#include "build_date.h"
#include "launch/launch_state.h"
#include "launcher/help_viewer.h"
#include "launcher/program_version.h"
#include "platform/centered_message_box.h"
#include "platform/files.h"
#include "platform/fonts.h"
#include "platform/icons.h"
#include "platform/shell.h"
#include "platform/ui_controls.h"
#include "platform/ui_events.h"
#include "platform/ui_panel_controls.h"
#include "platform/ui_windows.h"
#include "platform/window_motion.h"
#include "settings/data_folder.h"
#include "settings/language.h"

namespace {

constexpr int kInnerWidth = 300;
constexpr int kInnerHeight = 135;
constexpr unsigned kFadeTime = 300;
constexpr uint32_t kLinkColor = 0x00FF0000;     // blue, as 0x00BBGGRR
constexpr uint32_t kLinkHotColor = 0x000000FF;  // red

const wchar_t* const kCopyrightLine = L" \u00A9 2026 The Kivo developers";
// The release carries the licence's text beside kivo.exe.
const wchar_t* const kLicenceFile = L"License.txt";

enum class Kind { Icon, Text, Rule, Link };

enum AboutControl { kIcon = 1, kVersion, kBuild, kCopyright, kRule, kLicence, kHelp };

struct AboutRow {
    int id;
    Kind kind;
    int x;
    int y;
    int width;
    int height;
};

const AboutRow kAboutRows[] = {
    {kIcon, Kind::Icon, 15, 25, 32, 32},
    // The text rows end 5 units short of the window's right edge.
    {kVersion, Kind::Text, 65, 15, 230, 20},
    {kBuild, Kind::Text, 65, 35, 230, 20},
    {kCopyright, Kind::Text, 65, 55, 230, 20},
    {kRule, Kind::Rule, 15, 77, 270, 4},
    {kLicence, Kind::Link, 65, 87, 450, 20},
    {kHelp, Kind::Link, 65, 107, 400, 20},
};

std::wstring number(int value) { return std::to_wstring(value); }

std::wstring compilerTag() {
#if defined(__clang__)
    return L"Clang " + number(__clang_major__) + L"." + number(__clang_minor__);
#elif defined(__MINGW64__)
    return L"MinGW-w64 GCC " + number(__GNUC__) + L"." + number(__GNUC_MINOR__);
#elif defined(__GNUC__)
    return L"GCC " + number(__GNUC__) + L"." + number(__GNUC_MINOR__);
#elif defined(_MSC_VER)
    return L"MSVC " + number(_MSC_VER / 100) + L"." + number(_MSC_VER % 100);
#else
    return L"C++";
#endif
}

std::wstring rowText(int id) {
    switch (id) {
        case kVersion: return aboutVersionLine();
        case kBuild: return aboutBuildLine();
        case kCopyright: return kCopyrightLine;
        case kLicence: return languageText(109);
        case kHelp: return languageText(1) + L" (F1)";
        default: return L"";
    }
}

std::wstring licencePath() { return programFolders.programFolder + kLicenceFile; }

// A link only where its click can open something: a build without the licence
// file beside it, or read-only mode, where the help stays shut, shows plain text.
bool opensSomething(int id) {
    if (id == kLicence) return fileExists(licencePath());
    if (id == kHelp) return !programFolders.settingsReadOnly;
    return false;
}

void addRow(const AboutRow& row, void* font) {
    const std::wstring text = rowText(row.id);
    switch (row.kind) {
        case Kind::Icon:
            addIconControl(kAboutWindow, row.id, row.x, row.y, row.width, row.height,
                           programIcon(iconPixels(IconSize::Large, windowDpi(kAboutWindow))));
            break;
        case Kind::Text: addTextControl(kAboutWindow, row.id, row.x, row.y, row.width, row.height, text, false); break;
        case Kind::Rule: addTextControl(kAboutWindow, row.id, row.x, row.y, row.width, row.height, L"", true); break;
        case Kind::Link:
            if (opensSomething(row.id)) {
                addLinkControl(kAboutWindow, row.id, row.x, row.y, row.width, row.height, text, kLinkColor,
                               kLinkHotColor);
            } else {
                addTextControl(kAboutWindow, row.id, row.x, row.y, row.width, row.height, text, false);
            }
            break;
    }
    setControlFont(kAboutWindow, row.id, font);
    // Only the text of a link is to be clickable, and its row runs past the window.
    if (row.kind == Kind::Link) fitControlToText(kAboutWindow, row.id);
}

bool endsAboutWindow(const UiEvent& event) {
    switch (event.kind) {
        case UiEventKind::CloseRequest:
        case UiEventKind::ControlClick: return true;
        // In the window or on its frame; a link reports its click when the button goes up.
        case UiEventKind::Other: return event.code == kLeftClick && event.control == 0;
        case UiEventKind::Key: return event.data == 1;
        default: return false;
    }
}

// Waits for the event that closes the window; returns the control clicked, 0
// for anything else. What came meanwhile for the other windows (a request of
// another instance, the hotkey) waits for them; their timer ticks come again.
int waitForClosingEvent() {
    std::vector<UiEvent> forOthers;
    int clicked = 0;
    UiEvent event;
    while (waitEvent(event)) {
        if (event.windowId != kAboutWindow) {
            if (event.kind != UiEventKind::Timer) forOthers.push_back(event);
            continue;
        }
        if (!endsAboutWindow(event)) continue;
        if (event.kind == UiEventKind::ControlClick) clicked = event.control;
        break;
    }
    for (const UiEvent& later : forOthers) queueEvent(later);
    return clicked;
}

}  // namespace

std::wstring aboutVersionLine() {
    return std::wstring(L"Kivo ver. ") + L"" KIVO_VERSION_TEXT + L"  (" + number(static_cast<int>(sizeof(void*) * 8)) +
           L" bit)";
}

std::wstring aboutBuildLine() { return std::wstring(L"Compiled: ") + KIVO_BUILD_DATE + L",  " + compilerTag(); }

void ShowAboutWindow() {
    const FontHandle font = createPointFont(L"MS Shell Dlg 2", 8, 0);
    const int owner = launchState.ownerWindowId;
    WindowSpec spec;
    spec.innerWidth = kInnerWidth;
    spec.innerHeight = kInnerHeight;
    spec.ownerId = owner;
    if (!openWindow(kAboutWindow, spec)) return;
    setWindowFrame(kAboutWindow, false, false);
    refreshWindowFrame(kAboutWindow);
    placeCenteredOn(kAboutWindow, owner, kInnerWidth, kInnerHeight);
    useDialogColors(kAboutWindow);
    for (const AboutRow& row : kAboutRows) addRow(row, font.handle);
    showWindow(kAboutWindow, WindowShow::Show);
    bringWindowToFront(kAboutWindow);
    setWindowEnabled(owner, false);
    discardQueuedEvents();

    const int clicked = waitForClosingEvent();
    setWindowEnabled(owner, true);
    if (clicked == kLicence && opensSomething(kLicence)) {
        launchState.services.runShell(ShellRequest{owner, L"open", licencePath(), L"", L"", kShowNormal});
    }
    if (clicked == kHelp && opensSomething(kHelp)) OpenHelp();
    fadeOutWindow(kAboutWindow, kFadeTime);
    closeWindow(kAboutWindow);
    bringWindowToFront(owner);
}
