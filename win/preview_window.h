// The drawing preview window "図面プレビュー" (command 38002): the texts of the last read drawn as
// korvane-cli preview draws them (the same classes and colours), with the window of each anchor.
// The wheel zooms about the pointer, a drag pans, "全体表示" fits the whole drawing. Selecting a
// row of the main list centres and marks its anchors; clicking an anchor selects its row.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "parts/parts_list.h"
#include "preview/drawing_preview.h"
#include "preview/preview_view.h"

namespace korvane::win {

struct App;

inline constexpr int kPreviewWidth = 800;
inline constexpr int kPreviewHeight = 600;
inline constexpr int kPreviewBarHeight = 30;  // the buttons and the legend above the canvas

// A recognition window the preview draws without it being stored in the settings.
struct TrialWindow {
  int pt_x = 0;
  int pt_y = 0;
};

// The window's state, in the App for as long as the program runs (the window itself comes and
// goes).
struct PreviewWindow {
  HWND frame = nullptr;
  HWND canvas = nullptr;
  HFONT bar_font = nullptr;

  DrawingPreview data;              // classes, groups and findings of the texts
  PreviewCounts counts;             // for the legend
  std::vector<std::wstring> texts;  // the text table in UTF-16, made once per read
  TextGrid grid;                    // the placed texts, for drawing only what the view shows
  std::vector<int> group_at;        // per text: its group in data.groups when an anchor, else -1
  // Where the read's anchors are in the parts list now, both ways (a merged row has several).
  std::unordered_map<std::size_t, RowId> row_of_anchor;
  std::unordered_map<RowId, std::vector<std::size_t>> anchors_of_row;
  std::vector<std::size_t> marked;  // anchor texts of the selected row

  // While the tune dialog is open: the window it shows (none: the settings' window).
  std::optional<TrialWindow> trial;

  PreviewView view;
  bool texts_stale = true;     // the text table changed: texts and grid are made again
  bool fit_pending = true;     // fit the whole drawing once the canvas has its size
  bool selecting_row = false;  // the preview itself selects a row of the list: no centring

  // The canvas: a drag in progress, and what it draws with.
  bool pressed = false;
  bool dragged = false;
  POINT last_mouse{};
  HBITMAP buffer = nullptr;
  int buffer_width = 0;
  int buffer_height = 0;
  HFONT font = nullptr;
  HFONT bold_font = nullptr;
  int font_pixels = 0;
};

// Command 38002: opens the window, or brings it forward when it is open.
void open_preview_window(App& app);

// A read replaced the text table: the next refresh makes the picture anew and fits it.
void preview_read_changed(App& app);

// After every command: the classes, findings and rows again from the read and the list as they
// are now; the view stays where it is.
void refresh_preview(App& app);

// A new recognition window: ws.settings takes it (the next read uses it) and the preview
// reclassifies the same text table at once; the parts list is not rebuilt. The settings dialog
// calls this when its OK changed pt_x or pt_y, the tune command on "適用".
void apply_recognition_window(App& app, int pt_x, int pt_y);

// The preview reclassified with a window that is not stored (the tune dialog's current values or
// its proposal, while it is open); end_trial_window goes back to the settings' window.
void try_recognition_window(App& app, int pt_x, int pt_y);
void end_trial_window(App& app);

// A row of the main list was selected: its anchors are marked and, unless the preview selected
// it itself, the view centres on them.
void preview_follow_row(App& app, int row);

// For the canvas: clicking an anchor text selects its row in the main list.
void select_row_of_anchor(App& app, std::size_t anchor);

}  // namespace korvane::win
