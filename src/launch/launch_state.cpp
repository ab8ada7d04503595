#include "launch/launch_state.h"

#include "platform/centered_message_box.h"

LaunchState launchState;

LaunchServices systemLaunchServices() {
    return LaunchServices{shellExecute, keyHeld, showCenteredMessageBox, beep, popupMenuAt};
}
