// The settings dialog "環境設定" (template 12).
#pragma once

#include <windows.h>

namespace korvane {
struct Workspace;
}

namespace korvane::win {

// Modal over `owner`. "ＯＫ" stores every field into ws.settings; a pair radio and "再読込" act
// at once (the reload loads ws.base_parts and ws.prohibited_words); the close box keeps only
// those.
void run_settings_dialog(HWND owner, Workspace& ws);

}  // namespace korvane::win
