// What the base parts and prohibited words dialogs share: a list that shows every entry (row i is
// always entry i) over the edits of one entry, and the buttons "読出", "書換", "追加" and "削除".
// The core checks every change and says why it refuses one; the dialog only moves entries between
// its edits, the list and the core.
#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <vector>

#include "dialog_controls.h"

namespace korvane {
class Notifier;
}

namespace korvane::win {

struct ListEditorLayout {
  int list_id;
  int list_width;  // pixels
  int list_height;
  std::span<const ListColumn> columns;
  int read_id;
  int rewrite_id;
  int add_id;
  int delete_id;
};

class ListEditor {
 public:
  explicit ListEditor(const ListEditorLayout& layout) : layout_(layout) {}
  virtual ~ListEditor() = default;
  ListEditor(const ListEditor&) = delete;
  ListEditor& operator=(const ListEditor&) = delete;

  // Modal over `owner`, until the close box: Enter and Escape leave it open.
  void run(HWND owner, int template_id);

 protected:
  HWND list_of(HWND dialog) const { return GetDlgItem(dialog, layout_.list_id); }
  // The list anew, from the first entry to the last shown.
  void show_all(HWND list) const;
  void show_row(HWND list, int index) const;

 private:
  // How many entries the list shows, and the texts of entry `index` in its columns.
  virtual int shown_count() const = 0;
  virtual std::vector<std::string> cells(int index) const = 0;
  // "読出": entry `selected` into the edits. False when the core refused (no row selected).
  virtual bool read(HWND dialog, int selected, Notifier& notifier) = 0;
  // "書換": entry `selected` becomes the edits. False when the core refused.
  virtual bool rewrite(HWND dialog, int selected, Notifier& notifier) = 0;
  // "追加": the edits as a new entry. Its index, or -1 when the core refused.
  virtual int add(HWND dialog, Notifier& notifier) = 0;
  // "削除" of one entry; the later entries move up.
  virtual void erase(int index) = 0;
  // A button that only this dialog has. False for an id it does not know.
  virtual bool on_own_command(HWND, int) { return false; }

  static INT_PTR CALLBACK proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
  INT_PTR on_init(HWND dialog);
  INT_PTR on_command(HWND dialog, int id);
  void on_read(HWND dialog);
  void on_rewrite(HWND dialog);
  void on_add(HWND dialog);
  void on_delete(HWND dialog);

  ListEditorLayout layout_;
};

}  // namespace korvane::win
