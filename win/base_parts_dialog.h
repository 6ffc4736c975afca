// The base parts list dialog "基部品Listの設定" (template 11): edits the store in place.
#pragma once

#include <windows.h>

namespace korvane {
struct Workspace;
}

namespace korvane::win {

void run_base_parts_dialog(HWND owner, Workspace& ws);

}  // namespace korvane::win
