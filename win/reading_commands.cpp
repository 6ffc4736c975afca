#include "reading_commands.h"

#include <filesystem>
#include <string>
#include <vector>

#include "app.h"
#include "dxf/dxf_reader.h"
#include "dxf/recognition.h"
#include "file_dialogs.h"
#include "output/parts_list_writer.h"
#include "wide.h"

namespace korvane::win {
namespace {

constexpr DWORD kPassPause = 100;  // ms; the window does not answer meanwhile

// While drawings are read the caption tells how far the batch is and which drawing it is at (so a
// message about a drawing that cannot be read can be placed), and the window is repainted between
// drawings; the caption is put back afterwards.
class ReadingProgress {
 public:
  ReadingProgress(HWND main, std::size_t count) : main_(main), count_(count) {
    wchar_t title[256] = {};
    GetWindowTextW(main_, title, 256);
    title_ = title;
    cursor_ = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  }
  ~ReadingProgress() {
    SetWindowTextW(main_, title_.c_str());
    SetCursor(cursor_);
  }
  ReadingProgress(const ReadingProgress&) = delete;
  ReadingProgress& operator=(const ReadingProgress&) = delete;

  void show(std::size_t index, const std::string& path) {
    const std::wstring caption =
        L"読込中 " + std::to_wstring(index + 1) + L"/" + std::to_wstring(count_) + L" " +
        std::filesystem::path(widen(path)).filename().wstring() + L" - " + title_;
    SetWindowTextW(main_, caption.c_str());
    // Paint what is waiting (the area a closed dialog uncovered, the caption) without taking
    // input: the commands of the window must not run in the middle of a read.
    RedrawWindow(main_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    MSG msg;
    PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE);  // the window still answers
  }

 private:
  HWND main_;
  std::size_t count_;
  std::wstring title_;
  HCURSOR cursor_;
};

// A read that has failed wholly leaves the text table and the list as they were.
bool read_drawings(App& app, const std::vector<std::string>& paths) {
  TextTable texts;
  bool delivered = false;
  {
    ReadingProgress progress(app.main, paths.size());
    delivered = read_dxf_files(paths, texts, app.notifier,
                               [&](std::size_t i) { progress.show(i, paths[i]); });
  }
  if (!delivered) return false;
  app.ws.texts = std::move(texts);
  recognise_parts(app.ws);
  // The rows show while the passes of a read-and-convert command run.
  show_parts(app);
  RedrawWindow(app.main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  return true;
}

void run_passes_with_pauses(App& app, bool pause_first) {
  for (Pass pass : kAllPasses) {
    if (pause_first || pass != kAllPasses[0]) Sleep(kPassPause);
    run_single_pass(app, pass);
  }
}

}  // namespace

// The name goes before the dialog: a cancelled dialog leaves none, so the next output takes the
// default name rather than the names of the drawing read before. A drawing that cannot be read at
// all leaves the list of the drawing before, and with it that drawing's name.
bool open_single_dxf(App& app) {
  std::string previous = std::move(app.ws.current_file_name);
  app.ws.current_file_name.clear();
  const auto chosen = choose_dxf_file(app.main);
  if (!chosen) return false;
  if (!read_drawings(app, {*chosen})) {
    app.ws.current_file_name = std::move(previous);
    return false;
  }
  app.ws.current_file_name = *chosen;
  return true;
}

bool read_chosen_dxf_files(App& app) { return read_drawings(app, app.ws.chosen_files); }

void read_and_convert_tail(App& app) {
  if (app.ws.parts.empty()) return;
  run_passes_with_pauses(app, true);
  Sleep(kPassPause);
  if (app.ws.settings.file_save_mode != 0) {
    write_parts_list(app.ws, app.notifier, kNameFromCurrent | kSelectAll);
  } else {
    write_three_files(app.ws, app.notifier, false);
  }
}

void run_full_conversion(App& app) { run_passes_with_pauses(app, false); }

void run_single_pass(App& app, Pass pass) { run_passes(app.ws, app.notifier, {pass}); }

}  // namespace korvane::win
