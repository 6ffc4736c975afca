#include "commands.h"

#include <shellapi.h>

#include "app.h"
#include "base_parts_dialog.h"
#include "compare_window.h"
#include "dxf_file_dialog.h"
#include "file_dialogs.h"
#include "options_dialog.h"
#include "output/parts_list_writer.h"
#include "output/workbook_writer.h"
#include "parts_list_view.h"
#include "preview_window.h"
#include "reading_commands.h"
#include "reference_files.h"
#include "report_window.h"
#include "resource.h"
#include "row_commands.h"
#include "series_window.h"
#include "settings_dialog.h"
#include "tune_dialog.h"
#include "undo_commands.h"
#include "version_box.h"
#include "words_dialog.h"

namespace korvane::win {
namespace {

OutputFileDialog output_file_dialog(App& app) {
  return [&app](OutputKind kind) { return choose_output_file(app.main, kind); };
}

void output_one_file(App& app, Selection selection) {
  write_parts_list(app.ws, app.notifier, {selection, OutputNaming::Dialog},
                   output_file_dialog(app));
}

// One dialog names the three files of the supplied, not-purchased and purchased rows.
void output_three_files(App& app) {
  write_three_files(app.ws, app.notifier, OutputNaming::DialogRewritten, output_file_dialog(app));
}

void output_workbook(App& app) {
  write_workbook(app.ws, app.notifier, OutputNaming::Dialog, output_file_dialog(app));
}

// The options are kept as option lines of Korvane.ini, written at exit.
void change_options(App& app) {
  if (auto chosen = run_options_dialog(app.main, {read_output_options(app.ws.settings)})) {
    store_output_options(app.ws.settings, chosen->output);
  }
}

// Closing the DXF file dialog without running it ends the command: nothing is read, and the
// files of the last run stay chosen.
bool choose_and_read_dxf_files(App& app) {
  DxfFileDialogData data{app.ws.settings.file_folder};
  auto chosen = run_dxf_file_dialog(app.main, data);
  app.ws.settings.file_folder = std::move(data.folder);
  if (!chosen) return false;
  app.chosen_files = std::move(*chosen);
  return read_chosen_dxf_files(app);
}

void delete_all_rows(App& app) { app.ws.parts.delete_all(); }

// The list-view columns are built once, at start: changed ones show after a restart.
// A new recognition window shows in the drawing preview at once.
void change_settings(App& app) {
  const int pt_x = app.ws.settings.pt_x;
  const int pt_y = app.ws.settings.pt_y;
  run_settings_dialog(app.main, app.ws);
  if (app.ws.settings.pt_x != pt_x || app.ws.settings.pt_y != pt_y) {
    apply_recognition_window(app, app.ws.settings.pt_x, app.ws.settings.pt_y);
  }
  MessageBoxW(app.main, L"設定を有効にする場合は、再起動して下さい。", L"再起動をしよう！", MB_OK);
}

// The manual and the document lie beside the program's files; when they cannot be opened
// nothing is said.
void open_with_shell(HWND owner, const wchar_t* file) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_FLAG_NO_UI;
  info.hwnd = owner;
  info.lpVerb = L"open";
  info.lpFile = file;
  info.nShow = SW_SHOWNORMAL;
  ShellExecuteExW(&info);
}

// The commands whose undo also puts back the text table and the current file name.
bool reads_drawings(int id) {
  return id == IDM_READ_DXF_FOLDER || id == IDT_READ_FOLDER || id == IDM_READ_DXF_FILE ||
         id == IDM_READ_FOLDER_CONVERT || id == IDT_READ_FOLDER_CONVERT ||
         id == IDM_READ_FILE_CONVERT;
}

}  // namespace

void on_command(App& app, int id, int code, HWND control) {
  if (id == IDC_CELL_EDIT || id == IDC_CELL_COMBO) {
    on_cell_editor_command(app, id, code, control);
    return;
  }
  // A command works on the list as the user sees it: an open cell editor is finished first.
  close_cell_editors(app);
  if (id == IDM_UNDO) {
    undo_last_change(app);
    return;
  }
  UndoStep before = capture_undo_step(app.ws, app.trail, reads_drawings(id));
  switch (id) {
    case IDM_READ_DXF_FOLDER:
    case IDT_READ_FOLDER:
      choose_and_read_dxf_files(app);
      break;
    case IDM_READ_DXF_FILE:
      open_single_dxf(app);
      break;
    case IDM_READ_FOLDER_CONVERT:
    case IDT_READ_FOLDER_CONVERT:
      if (choose_and_read_dxf_files(app)) read_and_convert_tail(app);
      break;
    case IDM_READ_FILE_CONVERT:
      if (open_single_dxf(app)) read_and_convert_tail(app);
      break;
    case IDM_OUTPUT_ONE:
    case IDT_OUTPUT_ONE:
      output_one_file(app, Selection::All);
      break;
    case IDM_OUTPUT_ALL:
    case IDT_OUTPUT_THREE:
      output_three_files(app);
      break;
    case IDM_OUTPUT_SUPPLIED:
      output_one_file(app, Selection::Supplied);
      break;
    case IDM_OUTPUT_NOT_PURCHASED:
      output_one_file(app, Selection::NotPurchased);
      break;
    case IDM_OUTPUT_PURCHASED:
      output_one_file(app, Selection::Purchased);
      break;
    case IDM_OUTPUT_WORKBOOK:
      output_workbook(app);
      break;
    case IDM_EXIT:
    case IDT_EXIT:
      DestroyWindow(app.main);  // the exit sequence runs in WM_DESTROY
      return;
    case IDM_CONVERT_ALL:
    case IDT_CONVERT_ALL:
      run_full_conversion(app);
      break;
    case IDM_REMOVE_DUPLICATES:
      run_single_pass(app, Pass::Dedupe);
      break;
    case IDM_COMPLETE_NAMES:
      run_single_pass(app, Pass::Complete);
      break;
    case IDM_MERGE_QUANTITIES:
      run_single_pass(app, Pass::Merge);
      break;
    case IDM_SORT_PARTS:
      run_single_pass(app, Pass::Sort);
      break;
    case IDM_MODIFY_ROW:
    case IDT_MODIFY_ROW:
      modify_selected_row(app);
      break;
    case IDM_DELETE_ROW:
    case IDT_DELETE_ROW:
      delete_selected_row(app);
      break;
    case IDM_ADD_ROW:
    case IDT_ADD_ROW:
      add_row(app);
      break;
    case IDM_DELETE_ALL:
      delete_all_rows(app);
      break;
    case IDM_BASE_PARTS:
      run_base_parts_dialog(app.main, app.ws.base_parts);
      break;
    case IDM_BASE_PARTS_OPEN:
      open_base_parts_file(app);
      break;
    case IDM_BASE_PARTS_SAVE:
      save_base_parts_file(app);
      break;
    case IDM_WORDS:
      run_prohibited_words_dialog(app.main, app.ws.prohibited_words);
      break;
    case IDM_WORDS_OPEN:
      open_prohibited_words_file(app);
      break;
    case IDM_WORDS_SAVE:
      save_prohibited_words_file(app);
      break;
    case IDM_SETTINGS:
      change_settings(app);
      break;
    case IDM_RECOGNITION_REPORT:
      open_report_window(app);
      break;
    case IDM_COMPARE_LISTS:
      compare_with_earlier_list(app);
      break;
    case IDM_DRAWING_PREVIEW:
      open_preview_window(app);
      break;
    case IDM_TUNE_WINDOW:
      tune_recognition_window(app);
      break;
    case IDM_OPTIONS:
      change_options(app);
      break;
    case IDM_DOCUMENT:
      open_with_shell(app.main, L"Korvaneﾄﾞｷﾒﾝﾄ.txt");
      break;
    case IDM_MANUAL:
    case IDT_HELP:
      open_with_shell(app.main, L"Korvane-Manual.pdf");
      break;
    case IDM_SERIES:
      open_series_window(app.main);
      break;
    case IDM_VERSION:
      run_version_box(app.main);
      break;
    case IDK_EDIT_CELL:
      edit_focused_cell(app);
      break;
    case IDK_SELECT_ALL:
      select_all_parts(app);
      break;
    default:
      break;  // an id without a handler does nothing
  }
  record_list_change(app, std::move(before));
  show_parts(app);
  refresh_preview(app);
}

}  // namespace korvane::win
