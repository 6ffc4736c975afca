#include "list_editor.h"

#include <commctrl.h>

#include "modal_dialog.h"
#include "win_notifier.h"

namespace korvane::win {

void ListEditor::run(HWND owner, int template_id) {
  run_modal<&ListEditor::proc>(owner, template_id, *this);
}

void ListEditor::show_all(HWND list) const {
  SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  const int shown = shown_count();
  for (int i = 0; i < shown; ++i) show_row(list, i);
}

void ListEditor::show_row(HWND list, int index) const {
  insert_list_row(list, index, cells(index));
}

INT_PTR ListEditor::on_init(HWND dialog) {
  HWND list = create_dialog_list_view(dialog, layout_.list_id, layout_.list_width,
                                      layout_.list_height, layout_.columns);
  if (!list) {
    EndDialog(dialog, 0);
    return TRUE;
  }
  fit_dialog_to_list_view(dialog, list);
  show_all(list);
  return TRUE;
}

void ListEditor::on_read(HWND dialog) {
  HWND list = list_of(dialog);
  const int row = first_selected_row(list);
  WinNotifier notifier(dialog);
  if (!read(dialog, row, notifier)) return;
  mark_row_chosen(list, row);
}

void ListEditor::on_rewrite(HWND dialog) {
  HWND list = list_of(dialog);
  const int row = first_selected_row(list);
  WinNotifier notifier(dialog);
  if (!rewrite(dialog, row, notifier)) return;
  SendMessageW(list, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
  show_row(list, row);
  unselect_row(list, row);
}

void ListEditor::on_add(HWND dialog) {
  WinNotifier notifier(dialog);
  const int index = add(dialog, notifier);
  if (index >= 0) show_row(list_of(dialog), index);
}

void ListEditor::on_delete(HWND dialog) {
  HWND list = list_of(dialog);
  for (int row; (row = first_selected_row(list)) >= 0;) {
    SendMessageW(list, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
    erase(row);
  }
}

INT_PTR ListEditor::on_command(HWND dialog, int id) {
  if (id == layout_.read_id) {
    on_read(dialog);
  } else if (id == layout_.rewrite_id) {
    on_rewrite(dialog);
  } else if (id == layout_.add_id) {
    on_add(dialog);
  } else if (id == layout_.delete_id) {
    on_delete(dialog);
  } else if (id == IDOK || id == IDCANCEL) {
    // Enter and Escape: taken here, so that no default handling closes the dialog.
  } else {
    return on_own_command(dialog, id) ? TRUE : FALSE;
  }
  return TRUE;
}

INT_PTR CALLBACK ListEditor::proc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  ListEditor* editor = dialog_data<ListEditor>(dialog);
  if (!editor) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      return editor->on_init(dialog);
    case WM_COMMAND:
      return editor->on_command(dialog, LOWORD(wparam));
    case WM_CLOSE:
      EndDialog(dialog, 1);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace korvane::win
