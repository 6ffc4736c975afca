// "認識範囲の自動調整" (template 38007): the recognition window proposed for the drawings read,
// beside the current one, with the drawing preview showing either.
#pragma once

#include <windows.h>

#include <functional>

namespace korvane {
struct WindowProposal;
}  // namespace korvane

namespace korvane::win {

struct App;

// Draws the preview with a window (pt_x, pt_y) while the dialog is open; empty when no preview
// is open.
using ShowWindowInPreview = std::function<void(int pt_x, int pt_y)>;

// Shows the proposal modally over `owner`; true when "適用" was clicked. With `show`, the two
// radio buttons choose whether the current values or the proposal are drawn (the proposal first).
bool run_tune_dialog(HWND owner, const WindowProposal& proposal, const ShowWindowInPreview& show);

// The command of the menu and of the preview's button: proposes pt_x and pt_y from the text
// table, the reference lists and the column settings of app.ws and shows them beside the current
// ones, with the open preview drawn with either. "適用" stores them into ws.settings (saved at exit
// with the rest) and the preview reclassifies with them (apply_recognition_window); otherwise the
// preview goes back to the current values. With no anchor in the text table it says so and shows
// nothing. True when the values were stored.
bool tune_recognition_window(App& app);

}  // namespace korvane::win
