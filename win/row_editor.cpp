#include "row_editor.h"
#include "guarded_proc.h"

#include "dialog_controls.h"
#include "resource.h"

namespace korvane::win {
namespace {

// The edits of buffer cells 0 to 6; cell 7 is the combo box.
constexpr int kEdits[] = {IDC_ROW_TAG,  IDC_ROW_DRAWING, IDC_ROW_PART_NAME, IDC_ROW_MAKER,
                          IDC_ROW_SPEC, IDC_ROW_TYPE,    IDC_ROW_QUANTITY};
constexpr const wchar_t* kSupplyEntries[] = {L"支給", L"非購", L"    "};

RowEditorBuffer& buffer_of(HWND dialog) {
  return *reinterpret_cast<RowEditorBuffer*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

INT_PTR on_init(HWND dialog, RowEditorBuffer& buffer) {
  SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&buffer));
  for (std::size_t i = 0; i < std::size(kEdits); ++i) set_item_text(dialog, kEdits[i], buffer[i]);
  HWND combo = GetDlgItem(dialog, IDC_ROW_SUPPLY);
  for (const wchar_t* entry : kSupplyEntries) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
  }
  set_item_text(dialog, IDC_ROW_SUPPLY, buffer[kRowEditorSupplyColumn]);
  grow_dialog_to_controls(dialog);
  return TRUE;
}

void on_ok(HWND dialog) {
  RowEditorBuffer texts;
  for (std::size_t i = 0; i < std::size(kEdits); ++i) texts[i] = item_text(dialog, kEdits[i]);
  texts[kRowEditorSupplyColumn] = item_text(dialog, IDC_ROW_SUPPLY);
  store_row_editor_texts(buffer_of(dialog), texts);
  EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK row_editor_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      return on_init(dialog, *reinterpret_cast<RowEditorBuffer*>(lparam));
    case WM_COMMAND:
      if (LOWORD(wparam) != IDC_ROW_OK) return FALSE;
      on_ok(dialog);
      return TRUE;
    case WM_CLOSE:  // the close box: the controls are not read
      EndDialog(dialog, IDCANCEL);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void run_row_editor(HWND owner, RowEditorBuffer& buffer) {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
  DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_ROW_EDITOR), owner, guarded<row_editor_proc>,
                  reinterpret_cast<LPARAM>(&buffer));
}

}  // namespace korvane::win
