// Drives the program's windows from a test: waits on conditions with a timeout (pumping the UI
// thread's messages) and answers modal dialogs from a helper thread while the UI thread sits in
// their modal loop.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace korvane::test {

// Pumps the calling thread's messages until `done()` or the timeout; true when done.
bool pump_until(const std::function<bool()>& done, int timeout_ms = 10000);
// Pumps messages for about `ms` (for timers the test wants to see fire).
void pump_for(int ms);

std::wstring window_text(HWND hwnd);
std::wstring class_name(HWND hwnd);
// The text of a message box (its static control) or of a dialog item.
std::wstring dialog_item_text(HWND dialog, int id);

struct SeenDialog {
  std::wstring title;
  std::wstring text;  // message box text (static control 0xFFFF), if any
};

// Watches the dialogs of one UI thread. Each expected dialog is matched by title, in order; its
// action runs on the watcher thread (use SendMessage / PostMessage to act on the dialog).
class DialogDriver {
 public:
  explicit DialogDriver(DWORD ui_thread = GetCurrentThreadId());
  ~DialogDriver();
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  void expect(std::wstring title, std::function<void(HWND)> action);
  // Every dialog seen so far, in order.
  std::vector<SeenDialog> seen();
  // True when every expected dialog has been handled.
  bool all_handled();

  // Actions for message boxes.
  static std::function<void(HWND)> press(int button_id);
  // Action for an open or save common dialog: types `name` into its file name field and presses
  // its OK button.
  static std::function<void(HWND)> enter_file_name(std::wstring name);

 private:
  void watch();
  struct Expectation {
    std::wstring title;
    std::function<void(HWND)> action;
  };
  DWORD ui_thread_;
  std::mutex mutex_;
  std::vector<Expectation> expected_;
  std::vector<SeenDialog> seen_;
  std::set<HWND> handled_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

// Saves a screenshot of a window (BMP) and its window tree (text) under the folder named by the
// KORVANE_GUI_ARTIFACTS environment variable, or the current folder.
void save_failure_artifacts(HWND hwnd, const std::string& name);
// Writes the screen area of a window as a 24-bit BMP file.
bool save_window_bitmap(HWND hwnd, const std::wstring& path);

}  // namespace korvane::test
