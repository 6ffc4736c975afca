// Drawings dropped on the main window or named on Korvane.exe's command line (Explorer's "送る"
// and a file association): read as the file commands read them.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

namespace korvane::win {

struct App;

// What was dropped, sorted out.
struct DroppedItems {
  std::vector<std::wstring> drawings;  // in reading order
  // A folder, or more than one drawing: read as a run of the DXF file dialog. One drawing on its
  // own is read as "Dxf1ﾌｧｲﾙ読込" reads it.
  bool batch = false;
  // Files that are not drawings, and folders without drawings (with a trailing backslash).
  std::vector<std::wstring> not_read;
};

// A file whose name ends in ".dxf" (in any case) is a drawing, taken in the order given; a
// folder gives the drawings directly in it, sorted by name as the file system orders names.
DroppedItems sort_out_dropped(const std::vector<std::wstring>& paths);

// Reads what was dropped (see DroppedItems), after one message naming what is not read. With
// `convert` a read that took is followed by the passes and the output, as "ﾌｧｲﾙ読込後変換" does.
// One undo step puts back the list as it was before.
void read_dropped(App& app, const std::vector<std::wstring>& paths, bool convert);

// WM_DROPFILES: a plain drop reads, a drop with Shift held reads and converts.
void on_drop_files(App& app, HDROP drop);

}  // namespace korvane::win
