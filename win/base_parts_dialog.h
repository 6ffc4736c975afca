// The base parts list dialog "基部品Listの設定" (template 11): edits the store in place.
#pragma once

#include <windows.h>

namespace korvane {
struct BasePartsStore;
}

namespace korvane::win {

void run_base_parts_dialog(HWND owner, BasePartsStore& store);

}  // namespace korvane::win
