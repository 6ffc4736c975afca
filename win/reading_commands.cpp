#include "reading_commands.h"

#include <filesystem>
#include <string>
#include <vector>

#include "app.h"
#include "file_dialogs.h"
#include "pipeline/conversion.h"
#include "preview_window.h"
#include "report/recognition_report.h"
#include "report_window.h"
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
bool read_into_list(App& app, const std::vector<std::string>& paths) {
  ReadReport report;
  {
    ReadingProgress progress(app.main, paths.size());
    report = read_drawings(
        app.ws, paths, app.notifier,
        [&](std::size_t i, std::size_t, const std::string& path) { progress.show(i, path); },
        &app.trail);
  }
  if (!report.taken) return false;
  refresh_report_window(app);
  preview_read_changed(app);
  // The rows show while the passes of a read-and-convert command run.
  show_parts(app);
  RedrawWindow(app.main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  return true;
}

void pause() { Sleep(kPassPause); }

}  // namespace

// The name goes before the dialog: a cancelled dialog leaves none, so the next output takes the
// default name rather than the names of the drawing read before. A drawing that cannot be read at
// all leaves the list of the drawing before, and with it that drawing's name.
bool open_single_dxf(App& app) {
  std::string previous = std::move(app.ws.current_file_name);
  app.ws.current_file_name.clear();
  const auto chosen = choose_dxf_file(app.main);
  if (!chosen) return false;
  app.ws.current_file_name = std::move(previous);
  return read_single_dxf(app, *chosen);
}

bool read_single_dxf(App& app, const std::string& path) {
  if (!read_into_list(app, {path})) return false;
  app.ws.current_file_name = path;
  return true;
}

bool read_chosen_dxf_files(App& app) { return read_into_list(app, app.chosen_files); }

// The passes and the output, each after a pause in which the rows read stay in view.
void read_and_convert_tail(App& app) {
  ConversionRequest request;
  request.layout = app.ws.settings.save_layout();
  request.before_step = pause;
  request.log = &app.trail.passes;
  convert_and_write(app.ws, app.notifier, request);
  refresh_report_window(app);
}

void run_full_conversion(App& app) {
  bool first = true;
  run_passes(
      app.ws, app.notifier, {kAllPasses.begin(), kAllPasses.end()},
      [&first] {
        if (!first) pause();
        first = false;
      },
      &app.trail.passes);
  refresh_report_window(app);
}

void run_single_pass(App& app, Pass pass) {
  run_passes(app.ws, app.notifier, {pass}, StepHook{}, &app.trail.passes);
  refresh_report_window(app);
}

}  // namespace korvane::win
