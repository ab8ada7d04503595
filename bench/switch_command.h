#pragma once
// The WM_COMMAND number the runner posts to switch lists: Kivo's "next category"
// (what Tab does), which the bare window answers by loading its second list.
constexpr int kSwitchCommand = 4;
