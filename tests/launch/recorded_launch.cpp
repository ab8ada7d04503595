#include "launch/recorded_launch.h"

#include "launcher/category_list.h"
#include "platform/process.h"
#include "settings/general_settings.h"
#include "settings/language.h"

LaunchRecorder recorder;

namespace {

int recordShell(const ShellRequest& request) {
    recorder.shellCalls.push_back(request);
    return recorder.shellAnswer;
}
bool recordKey(int key) { return recorder.controlAndShiftHeld && (key == kKeyControl || key == kKeyShift); }
int recordBox(int owner, const std::wstring& text, const std::wstring& title, unsigned flags) {
    recorder.boxes.push_back({owner, text, title, flags});
    return recorder.boxAnswer;
}
void recordBeep() { ++recorder.beeps; }
bool recordMenu(int menuId, int, ScreenPoint at) {
    recorder.menusShown.push_back(menuId);
    recorder.menuPosition = at;
    return true;
}

}  // namespace

void RecordedLaunch::SetUp() {
    recorder = LaunchRecorder{};
    launchState = LaunchState{};
    launchState.services = LaunchServices{recordShell, recordKey, recordBox, recordBeep, recordMenu};
    generalSettings = GeneralSettings{};
    categoryNavigation = CategoryNavigation{};
    fillDefaultLanguage(languageTable);
    previousDirectory = currentDirectory();
    ASSERT_TRUE(setCurrentDirectory(data.path.wstring()));
    dataPath = currentDirectory();
}

void RecordedLaunch::TearDown() {
    setCurrentDirectory(previousDirectory);
    launchState = LaunchState{};
}

void RecordedLaunch::prepare(const std::wstring& text, const std::wstring& definition) {
    CategoryItem item;
    setItemText(item, text);
    setItemDefinition(item, definition);
    prepareLaunch(item, launchState.launchRecord);
}

const ShellRequest& RecordedLaunch::onlyShellCall() {
    EXPECT_EQ(recorder.shellCalls.size(), 1u);
    if (recorder.shellCalls.empty()) recorder.shellCalls.emplace_back();
    return recorder.shellCalls.back();
}
