// Drives a modal dialog of the program step by step. The UI thread sits in the dialog's modal
// loop; the steps run on a watcher thread and act through messages the UI thread answers, while a
// second watcher answers (with OK) and records every message box that the dialog owns.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <initializer_list>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "gui_driver.h"

namespace korvane::test {

class DialogSession {
 public:
  DialogSession();
  ~DialogSession();
  DialogSession(const DialogSession&) = delete;
  DialogSession& operator=(const DialogSession&) = delete;

  // When the dialog titled `title` opens: runs `steps` on it, then closes it with its close box.
  void on_open(std::wstring title, std::function<void(HWND)> steps);
  // The next dialog titled `title` that a dialog owns (a common dialog, say) gets `action`
  // instead of OK.
  void answer(std::wstring title, std::function<void(HWND)> action);
  // True once the steps have run to their end.
  bool steps_ran() const { return steps_ran_; }
  // "title: text" of the message boxes answered since the last call.
  std::vector<std::wstring> take_boxes();

 private:
  void answer_boxes();
  DialogDriver driver_;
  DWORD ui_thread_;
  std::atomic<bool> steps_ran_{false};
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::vector<std::wstring> boxes_;
  std::vector<std::pair<std::wstring, std::function<void(HWND)>>> answers_;
  std::thread answerer_;
};

// Steps (from the watcher thread).

// Sends a button's command and waits until the dialog has handled it. False when that takes
// longer than 10 s (a message box nobody answers).
bool click(HWND dialog, int id);
void set_text(HWND dialog, int id, const std::wstring& text);
// Posts a key to a control through the dialog's modal loop, as typing it would, and waits until
// the loop has taken it.
void press_key(HWND dialog, int control_id, WPARAM key);

int row_count(HWND list);
std::wstring cell_text(HWND list, int row, int column);
// Column `column` of every row, top to bottom.
std::vector<std::wstring> column_texts(HWND list, int column);
// The title and width of every column of a report list view.
std::vector<std::pair<std::wstring, int>> list_columns(HWND list);
// Selects exactly these rows.
void select_rows(HWND list, std::initializer_list<int> rows);
std::vector<int> selected_rows(HWND list);
UINT row_state(HWND list, int row);

// For the screenshots of docs/: prints the window's place on the Wine desktop for
// tools/screenshot.sh --crop, then waits until the window is gone, for two minutes at most.
void hold_for_screenshot(HWND window);

}  // namespace korvane::test
