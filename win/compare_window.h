// "部品表の比較(&C)": an earlier parts list file compared with the list in the window, and the
// window "部品表の比較" that shows what the list adds, removes and changes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "compare/list_comparison.h"

namespace korvane::win {

struct App;

struct ComparisonWindowData {
  const Comparison& comparison;
  std::string compared_file;        // the earlier list (Shift-JIS path)
  std::vector<std::string> spared;  // files the saved CSV may not replace
};

// The window: a list view of the changes, a summary line, and "CSV保存(&S)" which saves the
// comparison as CSV (UTF-8 with a byte-order mark) under a name from the save dialog.
void run_comparison_window(HWND owner, const ComparisonWindowData& data);

// The command: the open dialog, then the comparison with the list as the writer would write it
// now, then the window. A cancelled dialog or a file that is no parts list (said so) ends it.
void compare_with_earlier_list(App& app);

}  // namespace korvane::win
