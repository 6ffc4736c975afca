#include "compare_window.h"

#include <commctrl.h>

#include <array>

#include "app.h"
#include "compare/comparison_output.h"
#include "dialog_controls.h"
#include "file_dialogs.h"
#include "modal_dialog.h"
#include "output/parts_list_writer.h"
#include "resource.h"
#include "wide.h"
#include "win_notifier.h"

namespace korvane::win {
namespace {

constexpr int kListWidth = 780;
constexpr int kListHeight = 360;
// 区分, 部品名, メーカ, スペック, 型式, 支給, 数量 旧→新, タグ.
constexpr std::array<int, 8> kColumnWidths = {44, 130, 96, 130, 100, 44, 80, 150};

const ComparisonWindowData& data_of(HWND dialog) {
  return *dialog_data<const ComparisonWindowData>(dialog);
}

std::wstring file_name_of(std::wstring_view path) {
  const std::size_t cut = path.find_last_of(L"\\/");
  return std::wstring(cut == std::wstring_view::npos ? path : path.substr(cut + 1));
}

std::wstring summary(const ComparisonWindowData& data) {
  std::array<std::size_t, 3> counts{};
  for (const PartChange& c : data.comparison.changes) ++counts[static_cast<std::size_t>(c.kind)];
  auto count = [&](ChangeKind kind) {
    return std::to_wstring(counts[static_cast<std::size_t>(kind)]);
  };
  return L"「" + file_name_of(widen(data.compared_file)) + L"」と比較　追加 " +
         count(ChangeKind::Added) + L"　削除 " + count(ChangeKind::Removed) + L"　変更 " +
         count(ChangeKind::Changed) + L"　変更なし " + std::to_wstring(data.comparison.unchanged);
}

INT_PTR on_init(HWND dialog) {
  const ComparisonWindowData& data = data_of(dialog);
  const std::vector<std::string> titles = comparison_columns();
  std::vector<std::wstring> wide_titles;
  std::vector<ListColumn> columns;
  for (const std::string& title : titles) wide_titles.push_back(widen_utf8(title));
  for (std::size_t i = 0; i < wide_titles.size(); ++i) {
    columns.push_back({wide_titles[i].c_str(), kColumnWidths[i]});
  }
  HWND list = create_dialog_list_view(dialog, IDC_COMPARE_LIST, kListWidth, kListHeight, columns);
  if (!list) {
    EndDialog(dialog, 0);
    return TRUE;
  }
  fit_dialog_to_list_view(dialog, list);
  const std::vector<PartChange>& changes = data.comparison.changes;
  for (std::size_t i = 0; i < changes.size(); ++i) {
    std::vector<std::wstring> cells;
    for (const std::string& cell : comparison_row(changes[i])) cells.push_back(widen_utf8(cell));
    insert_list_row(list, static_cast<int>(i), cells);
  }
  SetDlgItemTextW(dialog, IDC_COMPARE_SUMMARY, summary(data).c_str());
  return TRUE;
}

void save_csv(HWND dialog) {
  const ComparisonWindowData& data = data_of(dialog);
  const std::optional<std::string> chosen = choose_comparison_csv(dialog);
  if (!chosen || chosen->empty()) return;
  WinNotifier notifier(dialog);
  save_comparison_csv(complete_output_extension(*chosen, OutputKind::Csv), data.comparison,
                      data.spared, notifier);
}

INT_PTR CALLBACK comparison_window_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  if (!dialog_data<const ComparisonWindowData>(dialog)) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      return on_init(dialog);
    case WM_COMMAND:
      switch (LOWORD(wparam)) {
        case IDC_COMPARE_SAVE:
          save_csv(dialog);
          return TRUE;
        case IDCANCEL:  // "閉じる" and Escape
          EndDialog(dialog, 0);
          return TRUE;
        default:
          return FALSE;
      }
    case WM_CLOSE:
      EndDialog(dialog, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void run_comparison_window(HWND owner, const ComparisonWindowData& data) {
  run_modal<comparison_window_proc>(owner, IDD_COMPARE, data);
}

void compare_with_earlier_list(App& app) {
  const std::optional<std::string> earlier =
      choose_list_to_compare(app.main, app.ws.settings.output_kind());
  if (!earlier) return;
  const std::optional<Comparison> comparison =
      compare_with_current_list(app.ws, *earlier, app.notifier);
  if (!comparison) return;
  // The compared file is not an input of the run: a later output may well replace it with the
  // new list. Only the comparison's own CSV must not.
  ComparisonWindowData data{*comparison, *earlier, app.ws.input_files};
  data.spared.push_back(*earlier);
  data.spared.push_back(app.ws.settings_path);
  run_comparison_window(app.main, data);
}

}  // namespace korvane::win
