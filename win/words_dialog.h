// The prohibited words dialog "禁止文字の設定" (template 15): edits the list in place.
#pragma once

#include <windows.h>

namespace korvane {
struct ProhibitedWords;
}

namespace korvane::win {

void run_prohibited_words_dialog(HWND owner, ProhibitedWords& words);

}  // namespace korvane::win
