#include "base_parts_dialog.h"
#include "guarded_proc.h"

#include <commctrl.h>

#include "dialog_controls.h"
#include "reference/base_parts_editing.h"
#include "resource.h"
#include "win_notifier.h"
#include "workspace.h"

namespace korvane::win {
namespace {

constexpr int kListWidth = 680;
constexpr int kListHeight = 360;

constexpr ListColumn kColumns[kBasePartsColumnCount] = {
    {L"部品名", 150},     {L"TAG No.", 100},      {L"型式", 160},       {L"メーカ", 80},
    {L"支給", 40},        {L"付属１部品名", 100}, {L"付属１型式", 100}, {L"付属２部品名", 100},
    {L"付属２型式", 100}, {L"付属３部品名", 100}, {L"付属３型式", 100}, {L"付属４部品名", 100},
    {L"付属４型式", 100}};

// The edit of each column; column 4 (the supply class) is the radio buttons.
constexpr int kEdits[kBasePartsColumnCount] = {IDC_BASE_PART_NAME,
                                               IDC_BASE_TAG,
                                               IDC_BASE_TYPE,
                                               IDC_BASE_MAKER,
                                               0,
                                               IDC_BASE_ACC1_NAME,
                                               IDC_BASE_ACC1_TYPE,
                                               IDC_BASE_ACC2_NAME,
                                               IDC_BASE_ACC2_TYPE,
                                               IDC_BASE_ACC3_NAME,
                                               IDC_BASE_ACC3_TYPE,
                                               IDC_BASE_ACC4_NAME,
                                               IDC_BASE_ACC4_TYPE};

BasePartsStore& store_of(HWND dialog) {
  return reinterpret_cast<Workspace*>(GetWindowLongPtrW(dialog, DWLP_USER))->base_parts;
}

HWND list_of(HWND dialog) { return GetDlgItem(dialog, IDC_BASE_LIST); }

void insert_row(HWND list, const BasePartsStore& store, int index) {
  insert_list_row(list, index, base_part_cells(store.entries[static_cast<std::size_t>(index)]));
}

void fill_rows(HWND list, const BasePartsStore& store) {
  SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  const int shown = shown_base_parts(store);
  for (int i = 0; i < shown; ++i) insert_row(list, store, i);
}

BasePartEntry read_fields(HWND dialog) {
  BasePartCells texts;
  for (std::size_t column = 0; column < texts.size(); ++column) {
    if (kEdits[column] != 0) texts[column] = item_text(dialog, kEdits[column]);
  }
  BasePartEntry fields;
  fields.part_name = texts[0];
  fields.tag = texts[1];
  fields.type = texts[2];
  fields.maker = texts[3];
  for (std::size_t i = 0; i < fields.accessories.size(); ++i) {
    fields.accessories[i] = {texts[5 + 2 * i], texts[6 + 2 * i]};
  }
  fields.supply_class = 0;
  if (IsDlgButtonChecked(dialog, IDC_BASE_SUPPLIED) == BST_CHECKED) fields.supply_class = 1;
  if (IsDlgButtonChecked(dialog, IDC_BASE_NOT_PURCHASED) == BST_CHECKED) fields.supply_class = 2;
  return fields;
}

INT_PTR on_init(HWND dialog, Workspace& ws) {
  SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&ws));
  HWND list = create_dialog_list_view(dialog, IDC_BASE_LIST, kListWidth, kListHeight, kColumns);
  if (!list) {
    EndDialog(dialog, 0);
    return TRUE;
  }
  fit_dialog_to_list_view(dialog, list);
  fill_rows(list, ws.base_parts);
  return TRUE;
}

void on_read(HWND dialog) {
  HWND list = list_of(dialog);
  const int row = first_selected_row(list);
  WinNotifier notifier(dialog);
  const BasePartEntry* entry = base_part_to_read(store_of(dialog), row, notifier);
  if (!entry) return;
  mark_row_chosen(list, row);
  const BasePartCells cells = base_part_cells(*entry);
  for (std::size_t column = 0; column < cells.size(); ++column) {
    if (kEdits[column] != 0) set_item_text(dialog, kEdits[column], cells[column]);
  }
  const int radio = entry->supply_class == 1   ? IDC_BASE_SUPPLIED
                    : entry->supply_class == 2 ? IDC_BASE_NOT_PURCHASED
                                               : IDC_BASE_PURCHASED;
  CheckRadioButton(dialog, IDC_BASE_SUPPLIED, IDC_BASE_PURCHASED, radio);
}

void on_rewrite(HWND dialog) {
  HWND list = list_of(dialog);
  const int row = first_selected_row(list);
  WinNotifier notifier(dialog);
  if (!rewrite_base_part(store_of(dialog), row, read_fields(dialog), notifier)) return;
  SendMessageW(list, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
  insert_row(list, store_of(dialog), row);
  unselect_row(list, row);
}

void on_add(HWND dialog) {
  HWND list = list_of(dialog);
  WinNotifier notifier(dialog);
  const int index = add_base_part(store_of(dialog), read_fields(dialog), notifier);
  if (index >= 0) insert_row(list, store_of(dialog), index);
}

void on_insert(HWND dialog) {
  HWND list = list_of(dialog);
  WinNotifier notifier(dialog);
  if (!insert_base_part(store_of(dialog), first_selected_row(list), read_fields(dialog),
                        notifier)) {
    return;
  }
  fill_rows(list, store_of(dialog));
}

void on_delete(HWND dialog) {
  HWND list = list_of(dialog);
  for (int row; (row = first_selected_row(list)) >= 0;) {
    SendMessageW(list, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
    delete_base_part(store_of(dialog), row);
  }
}

INT_PTR on_command(HWND dialog, int id) {
  switch (id) {
    case IDC_BASE_READ:
      on_read(dialog);
      return TRUE;
    case IDC_BASE_REWRITE:
      on_rewrite(dialog);
      return TRUE;
    case IDC_BASE_ADD:
      on_add(dialog);
      return TRUE;
    case IDC_BASE_DELETE:
      on_delete(dialog);
      return TRUE;
    case IDC_BASE_INSERT:
      on_insert(dialog);
      return TRUE;
    case IDOK:      // Enter
    case IDCANCEL:  // Escape
      return TRUE;  // taken here, so that no default handling closes the dialog
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK base_parts_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
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

void run_base_parts_dialog(HWND owner, Workspace& ws) {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
  DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_BASE_PARTS), owner,
                  guarded<base_parts_dialog_proc>, reinterpret_cast<LPARAM>(&ws));
}

}  // namespace korvane::win
