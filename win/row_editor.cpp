#include "row_editor.h"

#include "dialog_controls.h"
#include "modal_dialog.h"
#include "resource.h"

namespace korvane::win {
namespace {

// The edits of buffer cells 0 to 6; cell 7 is the combo box.
constexpr int kEdits[] = {IDC_ROW_TAG,  IDC_ROW_DRAWING, IDC_ROW_PART_NAME, IDC_ROW_MAKER,
                          IDC_ROW_SPEC, IDC_ROW_TYPE,    IDC_ROW_QUANTITY};
constexpr const wchar_t* kSupplyEntries[] = {L"支給", L"非購", L"    "};

// The cells shown at the start; "ＯＫ" stores the fields into them.
RowEditorBuffer& buffer_of(HWND dialog) { return *dialog_data<RowEditorBuffer>(dialog); }

INT_PTR on_init(HWND dialog) {
  const RowEditorBuffer& buffer = buffer_of(dialog);
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

INT_PTR CALLBACK row_editor_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return on_init(dialog);
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

std::optional<RowEditorBuffer> run_row_editor(HWND owner, const RowEditorBuffer& buffer) {
  RowEditorBuffer edited = buffer;
  if (run_modal<row_editor_proc>(owner, IDD_ROW_EDITOR, edited) != IDOK) return std::nullopt;
  return edited;
}

}  // namespace korvane::win
