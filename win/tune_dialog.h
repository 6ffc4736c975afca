// "認識範囲の自動調整" (template 38007): the recognition window proposed for the drawings read,
// beside the current one.
#pragma once

#include <windows.h>

namespace korvane {
struct Workspace;
struct WindowProposal;
}  // namespace korvane

namespace korvane::win {

// Shows the proposal modally over `owner`; true when "適用" was clicked.
bool run_tune_dialog(HWND owner, const WindowProposal& proposal);

// The command of the menu and of any window that offers it: proposes pt_x and pt_y from the
// text table, the reference lists and the column settings of `ws`, shows them beside the current
// ones, and stores them into ws.settings when "適用" is clicked (saved at exit with the rest).
// With no anchor in the text table it says so and shows nothing. True when the values were
// stored.
bool tune_recognition_window(HWND owner, Workspace& ws);

}  // namespace korvane::win
