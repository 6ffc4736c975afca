// The in-place editor of the parts list view: a text edit or, on the supply-class column, a combo
// box, laid over one cell of the first selected row.
#include <windows.h>

#include <commctrl.h>

#include "app.h"
#include "dialog_controls.h"
#include "parts_list_view.h"
#include "resource.h"
#include "text/sjis.h"
#include "undo_commands.h"
#include "wide.h"

namespace korvane::win {
namespace {

constexpr int kEditorOffsetY = 48;  // from the row's top in the list to the main window's client
constexpr int kEditHeight = 16;
constexpr int kComboHeight = 64;  // with its drop-down
constexpr UINT_PTR kComboSubclassId = 1;
constexpr const wchar_t* kSupplyEntries[] = {L"支給", L"非購", L"    "};

// Hidden now, destroyed once the control's own message handling has returned: the notifications
// that close an editor come from inside the control's procedure.
void dispose(HWND control) {
  ShowWindow(control, SW_HIDE);
  PostMessageW(control, WM_CLOSE, 0, 0);
}

std::string edit_text(HWND control) {
  return cut_to_capacity(control_text(control), kCellEditCapacity);
}

std::string selected_entry(HWND combo) {
  const LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return {};
  const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return cut_to_capacity(narrow(text), kCellEditCapacity);
}

void write_edited_cell(App& app, const std::string& text) {
  const CellEditor& editor = app.parts_view.editor;
  app.ws.parts.set_cell(editor.row, editor.column, text);
  show_parts(app);
}

// The editor's place comes from the configured widths, not from the columns on screen.
int editor_x(const Settings& settings, int column) {
  int x = 2;
  for (int k = 0; k < column; ++k) x += settings.columns[static_cast<std::size_t>(k)].width;
  return x;
}

// The whole edit, from opening to closing, is one undo step, recorded only when the cell changed.
void record_edit(App& app) {
  CellEditor& editor = app.parts_view.editor;
  if (!editor.before) return;
  UndoStep before = std::move(*editor.before);
  editor.before.reset();
  record_list_change(app, std::move(before));
}

void commit_edit(App& app) {
  CellEditor& editor = app.parts_view.editor;
  HWND edit = editor.edit;
  const std::string text = edit_text(edit);
  editor.edit = nullptr;  // before the control goes, so its last focus loss is not a commit
  dispose(edit);
  write_edited_cell(app, text);
  record_edit(app);
}

// Closes the combo box; without a pick the cell gets its old text back.
void close_combo(App& app) {
  CellEditor& editor = app.parts_view.editor;
  HWND combo = editor.combo;
  editor.combo = nullptr;
  KillTimer(app.main, IDT_COMBO_CLOSE_TIMER);
  if (!editor.picked) write_edited_cell(app, editor.old_text);
  record_edit(app);
  const bool had_focus = GetFocus() == combo;
  SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
  dispose(combo);
  if (had_focus) SetFocus(app.parts_view.list);
}

LRESULT CALLBACK combo_key_proc(HWND combo, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                DWORD_PTR data) {
  if (message == WM_KEYDOWN && wparam == VK_ESCAPE) {
    App& app = *reinterpret_cast<App*>(data);
    if (app.parts_view.editor.combo == combo) close_combo(app);
    return 0;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(combo, combo_key_proc, kComboSubclassId);
  return DefSubclassProc(combo, message, wparam, lparam);
}

void open_combo(App& app, int x, int y, int width) {
  PartsListView& view = app.parts_view;
  HWND combo = CreateWindowExW(0, WC_COMBOBOXW, L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, x, y,
                               width, kComboHeight, app.main,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_CELL_COMBO)),
                               app.instance, nullptr);
  if (!combo) return;
  for (const wchar_t* entry : kSupplyEntries) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
  }
  const std::wstring old_text = widen(view.editor.old_text);
  const LRESULT index = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(old_text.c_str()));
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(combo, WM_SETFONT, reinterpret_cast<WPARAM>(view.editor_font), TRUE);
  SetWindowPos(view.list, HWND_BOTTOM, 0, kListViewCreatedTop, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
  SetWindowPos(combo, HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE);
  SetWindowSubclass(combo, combo_key_proc, kComboSubclassId, reinterpret_cast<DWORD_PTR>(&app));
  view.editor.combo = combo;
  SetFocus(combo);
}

void open_edit(App& app, int x, int y, int width) {
  PartsListView& view = app.parts_view;
  // No border and no automatic scrolling: it takes no more text than fits its width.
  HWND edit = CreateWindowExW(
      WS_EX_TOPMOST, WC_EDITW, L"", WS_CHILD | WS_VISIBLE, x, y, width, kEditHeight, app.main,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_CELL_EDIT)), app.instance, nullptr);
  if (!edit) return;
  SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(view.editor_font), TRUE);
  SetWindowTextW(edit, widen(view.editor.old_text).c_str());
  SetWindowPos(view.list, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  view.editor.edit = edit;
  SetFocus(edit);
}

// The list as it was before the editor opened is the undo step that the closing editor records.
void open_editor_at(App& app, int row, int column) {
  close_cell_editors(app);
  if (row < 0 || column < 0 || column >= kColumnCount) return;
  PartsListView& view = app.parts_view;
  POINT at{};
  ListView_GetItemPosition(view.list, row, &at);

  CellEditor& editor = view.editor;
  editor.row = row;
  editor.column = column;
  editor.picked = false;
  editor.before = capture_undo_step(app.ws, app.trail, false);
  editor.old_text = app.ws.parts.get_cell(row, column, kCellEditCapacity);
  // The cell shows empty until a commit writes it.
  app.ws.parts.set_cell(row, column, "");
  ListView_SetItemState(view.list, -1, 0, kRowMarks);
  view.highlighted.assign(view.highlighted.size(), false);
  show_parts(app);

  const Settings& settings = app.ws.settings;
  const int x = editor_x(settings, column);
  const int width = settings.columns[static_cast<std::size_t>(column)].width;
  if (column == settings.column_map.supply) {
    open_combo(app, x, at.y + kEditorOffsetY, width);
  } else {
    open_edit(app, x, at.y + kEditorOffsetY, width);
  }
}

}  // namespace

void open_cell_editor(App& app, int column) {
  open_editor_at(app, first_selected_row(app.parts_view.list), column);
}

void edit_focused_cell(App& app) {
  HWND list = app.parts_view.list;
  const int row = static_cast<int>(
      SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_FOCUSED, 0)));
  if (row < 0) return;
  ListView_EnsureVisible(list, row, FALSE);
  open_editor_at(app, row, 0);
}

void on_cell_editor_command(App& app, int id, int code, HWND control) {
  CellEditor& editor = app.parts_view.editor;
  if (id == IDC_CELL_EDIT && code == EN_KILLFOCUS && control && control == editor.edit) {
    commit_edit(app);
  } else if (id == IDC_CELL_COMBO && control && control == editor.combo) {
    if (code == CBN_SELCHANGE) {
      write_edited_cell(app, selected_entry(control));
      editor.picked = true;
      SetTimer(app.main, IDT_COMBO_CLOSE_TIMER, kComboCloseDelayMs, nullptr);
    } else if (code == CBN_KILLFOCUS && !editor.picked) {
      close_combo(app);  // left without a pick
    }
  }
}

void on_combo_close_timer(App& app) {
  KillTimer(app.main, IDT_COMBO_CLOSE_TIMER);
  if (app.parts_view.editor.combo) close_combo(app);
}

void close_cell_editors(App& app) {
  CellEditor& editor = app.parts_view.editor;
  if (editor.edit) {
    const bool had_focus = GetFocus() == editor.edit;
    commit_edit(app);
    if (had_focus) SetFocus(app.parts_view.list);
  }
  if (editor.combo) close_combo(app);
}

}  // namespace korvane::win
