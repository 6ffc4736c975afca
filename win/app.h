// The desktop program: entry, main window class and message loop.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "parts_list_view.h"
#include "pipeline/undo_history.h"
#include "preview_window.h"
#include "report/recognition_report.h"
#include "win_notifier.h"
#include "workspace.h"

namespace korvane::win {

inline constexpr wchar_t kMainClassName[] = L"Main Window";
inline constexpr wchar_t kMainTitle[] = L"Korvane Ver1.06";
inline constexpr int kMainWidth = 800;
inline constexpr int kMainHeight = 540;

// The run's state, owned by the entry (or by a test) for the life of the main window.
struct App {
  HINSTANCE instance = nullptr;
  HWND main = nullptr;
  HWND toolbar = nullptr;
  PartsListView parts_view;  // the list view that shows ws.parts, and its in-place editor
  Workspace ws;
  // The drawings of the DXF file dialog's last run, which the folder commands read. A dialog
  // closed without running keeps them. They belong to the window program, not to the core's
  // workspace: korvane-cli takes its drawings from its command line.
  std::vector<std::string> chosen_files;
  // What the last read recognised and what the passes did since, for the recognition report and
  // the drawing preview.
  ReportTrail trail;
  PreviewWindow preview;
  WinNotifier notifier;
  HWND report_window = nullptr;   // the open recognition report window, if any
  UndoHistory undo;               // the list before each command that changed it
  HACCEL accelerators = nullptr;  // the keyboard table of the main window (a resource: not freed)
  bool quit_at_once = false;  // the settings file could not be written and the user chose to quit
};

bool register_main_window_class(HINSTANCE instance);
// Creates the main window centred by the (screen - 800) / 2, (screen - 600) / 2 rule. `app`
// must outlive the window.
HWND create_main_window(App& app);
// Translates the main window's keyboard commands, then dispatches.
void process_message(App& app, MSG& msg);
int run_message_loop(App& app);
// The whole program: register, create, show, read the drawings named on the command line, loop.
// Returns the exit code.
int run_app(HINSTANCE instance, int show);

}  // namespace korvane::win
