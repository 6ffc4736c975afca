// The main window's keyboard commands: the accelerator table IDA_MAIN, and the keys it leaves to
// the list view and the in-place editor.
#pragma once

#include <windows.h>

namespace korvane::win {

struct App;

// True when `msg` was one of the main window's keyboard commands: it has been sent to the main
// window as WM_COMMAND and is not to be dispatched.
bool translate_main_keys(App& app, MSG& msg);

}  // namespace korvane::win
