#include "settings_dialog.h"

#include <span>
#include <string>

#include "dialog_controls.h"
#include "file_dialogs.h"
#include "modal_dialog.h"
#include "reference/base_parts_file.h"
#include "reference/prohibited_words_file.h"
#include "resource.h"
#include "settings/settings_form.h"
#include "wide.h"
#include "win_notifier.h"
#include "workspace.h"

namespace korvane::win {
namespace {

// Controls by pair (file rows 1 to 5) and by column row (0 to 7).
constexpr int kPairRadios[kPairCount] = {IDC_SET_PAIR1, IDC_SET_PAIR2, IDC_SET_PAIR3, IDC_SET_PAIR4,
                                         IDC_SET_PAIR5};
constexpr int kPartFileEdits[kPairCount] = {IDC_SET_PART_FILE1, IDC_SET_PART_FILE2,
                                            IDC_SET_PART_FILE3, IDC_SET_PART_FILE4,
                                            IDC_SET_PART_FILE5};
constexpr int kKinsiFileEdits[kPairCount] = {IDC_SET_KINSI_FILE1, IDC_SET_KINSI_FILE2,
                                             IDC_SET_KINSI_FILE3, IDC_SET_KINSI_FILE4,
                                             IDC_SET_KINSI_FILE5};
constexpr int kPartDirButtons[kPairCount] = {
    IDC_SET_PART_DIR1, IDC_SET_PART_DIR2, IDC_SET_PART_DIR3, IDC_SET_PART_DIR4, IDC_SET_PART_DIR5};
constexpr int kKinsiDirButtons[kPairCount] = {IDC_SET_KINSI_DIR1, IDC_SET_KINSI_DIR2,
                                              IDC_SET_KINSI_DIR3, IDC_SET_KINSI_DIR4,
                                              IDC_SET_KINSI_DIR5};
constexpr int kCommentEdits[kColumnSettingCount] = {
    IDC_SET_COMMENT0, IDC_SET_COMMENT1, IDC_SET_COMMENT2, IDC_SET_COMMENT3,
    IDC_SET_COMMENT4, IDC_SET_COMMENT5, IDC_SET_COMMENT6, IDC_SET_COMMENT7};
constexpr int kOrderCombos[kColumnSettingCount] = {
    IDC_SET_JYUNBAN0, IDC_SET_JYUNBAN1, IDC_SET_JYUNBAN2, IDC_SET_JYUNBAN3,
    IDC_SET_JYUNBAN4, IDC_SET_JYUNBAN5, IDC_SET_JYUNBAN6, IDC_SET_JYUNBAN7};
constexpr int kWidthEdits[kColumnSettingCount] = {IDC_SET_HABA0, IDC_SET_HABA1, IDC_SET_HABA2,
                                                  IDC_SET_HABA3, IDC_SET_HABA4, IDC_SET_HABA5,
                                                  IDC_SET_HABA6, IDC_SET_HABA7};
constexpr int kFixedTextEdits[kColumnSettingCount] = {
    IDC_SET_KOTEI0, IDC_SET_KOTEI1, IDC_SET_KOTEI2, IDC_SET_KOTEI3,
    IDC_SET_KOTEI4, IDC_SET_KOTEI5, IDC_SET_KOTEI6, IDC_SET_KOTEI7};
// tag, drawing, part name, maker, specification, type, quantity, supply class.
constexpr int kFieldColumnCombos[kColumnSettingCount] = {
    IDC_SET_TA_NO, IDC_SET_A_NO,  IDC_SET_PA_NO, IDC_SET_MA_NO,
    IDC_SET_SP_NO, IDC_SET_TY_NO, IDC_SET_SU_NO, IDC_SET_SI_NO};

// Null until WM_INITDIALOG: controls may notify while they are being created.
Workspace* workspace_of(HWND dialog) { return dialog_data<Workspace>(dialog); }

void fill_combo(HWND dialog, int id, std::span<const std::string_view> items,
                std::string_view text) {
  SendDlgItemMessageW(dialog, id, CB_RESETCONTENT, 0, 0);
  for (std::string_view item : items) {
    SendDlgItemMessageW(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(item).c_str()));
  }
  set_item_text(dialog, id, text);
}

SettingsForm read_form(HWND dialog) {
  SettingsForm form;
  for (std::size_t n = 0; n < static_cast<std::size_t>(kPairCount); ++n) {
    form.part_file[n] = item_text(dialog, kPartFileEdits[n]);
    form.kinsi_file[n] = item_text(dialog, kKinsiFileEdits[n]);
  }
  for (std::size_t i = 0; i < kColumnSettingCount; ++i) {
    form.columns[i] = {item_text(dialog, kCommentEdits[i]), item_text(dialog, kOrderCombos[i]),
                       item_text(dialog, kWidthEdits[i]), item_text(dialog, kFixedTextEdits[i])};
    form.field_columns[i] = item_text(dialog, kFieldColumnCombos[i]);
  }
  form.save_mode = item_text(dialog, IDC_SET_SAVE_MODE);
  form.save_format = item_text(dialog, IDC_SET_SAVE_FORMAT);
  form.pt_x = item_text(dialog, IDC_SET_PT_X);
  form.pt_y = item_text(dialog, IDC_SET_PT_Y);
  return form;
}

void fill(HWND dialog, const Settings& settings) {
  const SettingsForm form = settings_form(settings);
  for (std::size_t n = 0; n < static_cast<std::size_t>(kPairCount); ++n) {
    set_item_text(dialog, kPartFileEdits[n], form.part_file[n]);
    set_item_text(dialog, kKinsiFileEdits[n], form.kinsi_file[n]);
  }
  const int pair = settings.selected_pair();
  if (pair >= 0) CheckRadioButton(dialog, IDC_SET_PAIR1, IDC_SET_PAIR5, kPairRadios[pair]);
  for (std::size_t i = 0; i < kColumnSettingCount; ++i) {
    const SettingsFormColumn& column = form.columns[i];
    set_item_text(dialog, kCommentEdits[i], column.title);
    fill_combo(dialog, kOrderCombos[i], order_items(i), column.text_number);
    set_item_text(dialog, kWidthEdits[i], column.width);
    set_item_text(dialog, kFixedTextEdits[i], column.fixed_text);
    fill_combo(dialog, kFieldColumnCombos[i], field_column_items(i), form.field_columns[i]);
  }
  static constexpr std::string_view kSaveModes[] = {kSaveModeSplit, kSaveModeOne};
  static constexpr std::string_view kSaveFormats[] = {kSaveFormatCsv, kSaveFormatTxt};
  fill_combo(dialog, IDC_SET_SAVE_MODE, kSaveModes, form.save_mode);
  fill_combo(dialog, IDC_SET_SAVE_FORMAT, kSaveFormats, form.save_format);
  set_item_text(dialog, IDC_SET_PT_X, form.pt_x);
  set_item_text(dialog, IDC_SET_PT_Y, form.pt_y);
}

void on_ok(HWND dialog, Workspace& ws) {
  store_settings_form(ws.settings, read_form(dialog));
  EndDialog(dialog, 1);
}

void on_choose_file(HWND dialog, int edit) {
  if (const auto path = locate_reference_file(dialog, item_text(dialog, edit))) {
    set_item_text(dialog, edit, *path);
  }
}

// The radios take effect at once, even if the dialog is then closed without "ＯＫ".
void on_select_pair(Workspace& ws, std::size_t pair) {
  ws.settings.part_select = static_cast<int>(pair) + 1;
}

void on_reload(HWND dialog, Workspace& ws) {
  const int selected = ws.settings.selected_pair();
  if (selected < 0) return;
  const auto pair = static_cast<std::size_t>(selected);
  store_pair_paths(ws.settings, pair, item_text(dialog, kPartFileEdits[pair]),
                   item_text(dialog, kKinsiFileEdits[pair]));
  WinNotifier notifier(dialog);
  load_reference_pair(ws, notifier);
}

// The pair whose control `id` is in `ids`, or -1.
int pair_of(const int (&ids)[kPairCount], int id) {
  for (int n = 0; n < kPairCount; ++n) {
    if (ids[n] == id) return n;
  }
  return -1;
}

void on_command(HWND dialog, Workspace& ws, int id) {
  if (id == IDC_SET_OK) {
    on_ok(dialog, ws);
  } else if (id == IDC_SET_RELOAD) {
    on_reload(dialog, ws);
  } else if (const int n = pair_of(kPairRadios, id); n >= 0) {
    on_select_pair(ws, static_cast<std::size_t>(n));
  } else if (const int p = pair_of(kPartDirButtons, id); p >= 0) {
    on_choose_file(dialog, kPartFileEdits[p]);
  } else if (const int k = pair_of(kKinsiDirButtons, id); k >= 0) {
    on_choose_file(dialog, kKinsiFileEdits[k]);
  }
}

INT_PTR CALLBACK settings_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      fill(dialog, workspace_of(dialog)->settings);
      return TRUE;
    case WM_COMMAND:
      // Every command is taken here: Enter (IDOK) and Escape (IDCANCEL) do nothing.
      if (Workspace* ws = workspace_of(dialog)) on_command(dialog, *ws, LOWORD(wparam));
      return TRUE;
    case WM_CLOSE:
      EndDialog(dialog, 1);  // only what the radios and "再読込" stored stays
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void run_settings_dialog(HWND owner, Workspace& ws) {
  run_modal<settings_dialog_proc>(owner, IDD_SETTINGS, ws);
}

}  // namespace korvane::win
