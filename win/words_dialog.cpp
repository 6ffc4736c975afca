#include "words_dialog.h"
#include "guarded_proc.h"

#include <commctrl.h>

#include <array>

#include "dialog_controls.h"
#include "reference/prohibited_words_editing.h"
#include "resource.h"
#include "win_notifier.h"
#include "workspace.h"

namespace korvane::win {
namespace {

constexpr int kListWidth = 300;
constexpr int kListHeight = 360;

// The list stores no remark: "備考" stays empty.
constexpr ListColumn kColumns[] = {{L"禁止文字", 200}, {L"備考", 60}};

ProhibitedWords& words_of(HWND dialog) {
  return reinterpret_cast<Workspace*>(GetWindowLongPtrW(dialog, DWLP_USER))->prohibited_words;
}

HWND list_of(HWND dialog) { return GetDlgItem(dialog, IDC_WORDS_LIST); }

void insert_row(HWND list, const ProhibitedWords& words, int index) {
  const std::array<std::string, 2> cells{words.words[static_cast<std::size_t>(index)], ""};
  insert_list_row(list, index, cells);
}

INT_PTR on_init(HWND dialog, Workspace& ws) {
  SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&ws));
  HWND list = create_dialog_list_view(dialog, IDC_WORDS_LIST, kListWidth, kListHeight, kColumns);
  if (!list) {
    EndDialog(dialog, 0);
    return TRUE;
  }
  fit_dialog_to_list_view(dialog, list);
  const ProhibitedWords& words = ws.prohibited_words;
  for (int i = 0; i < static_cast<int>(words.words.size()); ++i) insert_row(list, words, i);
  return TRUE;
}

void on_read(HWND dialog) {
  HWND list = list_of(dialog);
  const int row = first_selected_row(list);
  WinNotifier notifier(dialog);
  const std::string* word = prohibited_word_to_read(words_of(dialog), row, notifier);
  if (!word) return;
  mark_row_chosen(list, row);
  set_item_text(dialog, IDC_WORDS_EDIT, *word);
}

void on_rewrite(HWND dialog) {
  HWND list = list_of(dialog);
  const int row = first_selected_row(list);
  WinNotifier notifier(dialog);
  if (!rewrite_prohibited_word(words_of(dialog), row, item_text(dialog, IDC_WORDS_EDIT),
                               notifier)) {
    return;
  }
  SendMessageW(list, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
  insert_row(list, words_of(dialog), row);
  unselect_row(list, row);
}

void on_add(HWND dialog) {
  WinNotifier notifier(dialog);
  const int index =
      add_prohibited_word(words_of(dialog), item_text(dialog, IDC_WORDS_EDIT), notifier);
  if (index >= 0) insert_row(list_of(dialog), words_of(dialog), index);
}

void on_delete(HWND dialog) {
  HWND list = list_of(dialog);
  for (int row; (row = first_selected_row(list)) >= 0;) {
    SendMessageW(list, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
    delete_prohibited_word(words_of(dialog), row);
  }
}

INT_PTR on_command(HWND dialog, int id) {
  switch (id) {
    case IDC_WORDS_READ:
      on_read(dialog);
      return TRUE;
    case IDC_WORDS_REWRITE:
      on_rewrite(dialog);
      return TRUE;
    case IDC_WORDS_ADD:
      on_add(dialog);
      return TRUE;
    case IDC_WORDS_DELETE:
      on_delete(dialog);
      return TRUE;
    default:
      return FALSE;  // Enter (IDOK) and Escape (IDCANCEL) leave the dialog open
  }
}

INT_PTR CALLBACK words_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      return on_init(dialog, *reinterpret_cast<Workspace*>(lparam));
    case WM_COMMAND:
      return on_command(dialog, LOWORD(wparam));
    case WM_CLOSE:
      EndDialog(dialog, 1);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void run_prohibited_words_dialog(HWND owner, Workspace& ws) {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
  DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_PROHIBITED_WORDS), owner,
                  guarded<words_dialog_proc>, reinterpret_cast<LPARAM>(&ws));
}

}  // namespace korvane::win
