#include "options_dialog.h"

#include <span>

#include "dialog_controls.h"
#include "modal_dialog.h"
#include "resource.h"

namespace korvane::win {
namespace {

// Each combo box lists its option's choices in the order of the option's enum.
constexpr const wchar_t* kFormatChoices[] = {L"CSV・TXTファイル (環境設定の形式)",
                                             L"Excelブック (.xlsx)"};
constexpr const wchar_t* kTagListChoices[] = {L"結合した順 (PB2,1)", L"番号順 (PB1,2)",
                                              L"番号順・連番は範囲 (CR1-3,5)"};
constexpr const wchar_t* kEncodingChoices[] = {L"Shift-JIS", L"UTF-8 (BOM付き)"};

void fill_combo(HWND dialog, int id, std::span<const wchar_t* const> choices, int selected) {
  HWND combo = GetDlgItem(dialog, id);
  for (const wchar_t* choice : choices) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice));
  }
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

template <typename Choice>
Choice combo_choice(HWND dialog, int id) {
  const LRESULT selected = SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0);
  return selected == CB_ERR ? Choice{} : static_cast<Choice>(selected);
}

// The values shown at the start; "ＯＫ" stores the chosen ones into them.
OptionValues& values_of(HWND dialog) { return *dialog_data<OptionValues>(dialog); }

INT_PTR on_init(HWND dialog) {
  const OutputOptions& output = values_of(dialog).output;
  fill_combo(dialog, IDC_OPT_OUTPUT_FORMAT, kFormatChoices, static_cast<int>(output.format));
  fill_combo(dialog, IDC_OPT_TAG_LIST, kTagListChoices, static_cast<int>(output.tag_list));
  fill_combo(dialog, IDC_OPT_ENCODING, kEncodingChoices, static_cast<int>(output.encoding));
  grow_dialog_to_controls(dialog);
  return TRUE;
}

void on_ok(HWND dialog) {
  OutputOptions& output = values_of(dialog).output;
  output.format = combo_choice<OutputFormat>(dialog, IDC_OPT_OUTPUT_FORMAT);
  output.tag_list = combo_choice<TagListStyle>(dialog, IDC_OPT_TAG_LIST);
  output.encoding = combo_choice<TextEncoding>(dialog, IDC_OPT_ENCODING);
  EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK options_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return on_init(dialog);
    case WM_COMMAND:
      switch (LOWORD(wparam)) {
        case IDOK:
          on_ok(dialog);
          return TRUE;
        case IDCANCEL:  // the button, Esc and the close box
          EndDialog(dialog, IDCANCEL);
          return TRUE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}

}  // namespace

std::optional<OptionValues> run_options_dialog(HWND owner, const OptionValues& values) {
  OptionValues chosen = values;
  if (run_modal<options_proc>(owner, IDD_OPTIONS, chosen) != IDOK) return std::nullopt;
  return chosen;
}

}  // namespace korvane::win
