// The version box "バージョン情報": the program's picture (bitmap 1) and a close button.
#pragma once

#include <windows.h>

namespace korvane::win {

// Modal; returns 1 when closed by its button or its close box.
INT_PTR run_version_box(HWND owner);

}  // namespace korvane::win
