#include "tune_dialog.h"

#include <string>

#include "app.h"
#include "dxf/window_tuning.h"
#include "modal_dialog.h"
#include "preview_window.h"
#include "report/recognition_report.h"
#include "resource.h"
#include "wide.h"
#include "workspace.h"

namespace korvane::win {
namespace {

constexpr wchar_t kTitle[] = L"認識範囲の自動調整";

struct TuneDialogData {
  const WindowProposal& proposal;
  const ShowWindowInPreview& show;
};

std::wstring decimal(double value) { return widen(format_g(value)); }

void show_figures(HWND dialog, const WindowFigures& f, const int (&ids)[6]) {
  const long long values[] = {f.pt_x,
                              f.pt_y,
                              static_cast<long long>(f.fields),
                              static_cast<long long>(f.shared),
                              static_cast<long long>(f.cut),
                              static_cast<long long>(f.empty)};
  for (std::size_t i = 0; i < std::size(ids); ++i) {
    SetDlgItemTextW(dialog, ids[i], std::to_wstring(values[i]).c_str());
  }
}

std::wstring found_text(const WindowProposal& p) {
  const std::wstring anchors = L"タグ " + std::to_wstring(p.anchors) + L" 個";
  if (p.outcome != TuningOutcome::Proposed) {
    return anchors + L"の下に、一定の行間で並ぶ文字が見つかりません。現在の値のままです。";
  }
  return anchors + L"の下に、行間 " + decimal(p.pitch) +
         L" で文字が並んでいます（最初の行はタグの " + decimal(p.first_drop) + L" 下、横のずれ " +
         decimal(p.spread) + L" 以内）。候補 " + std::to_wstring(p.candidates) +
         L" 通りのうち、評価が最も良く最も小さい範囲を提案します。";
}

// The radio button `id` chosen, and the preview drawn with its column's window.
void show_column(HWND dialog, int id) {
  const TuneDialogData& data = *dialog_data<const TuneDialogData>(dialog);
  CheckRadioButton(dialog, IDC_TUNE_SHOW_CURRENT, IDC_TUNE_SHOW_PROPOSED, id);
  const WindowFigures& f =
      id == IDC_TUNE_SHOW_PROPOSED ? data.proposal.proposed : data.proposal.current;
  data.show(f.pt_x, f.pt_y);
}

INT_PTR on_init(HWND dialog) {
  const TuneDialogData& data = *dialog_data<const TuneDialogData>(dialog);
  const WindowProposal& p = data.proposal;
  SetDlgItemTextW(dialog, IDC_TUNE_FOUND, found_text(p).c_str());
  show_figures(dialog, p.current,
               {IDC_TUNE_CURRENT_X, IDC_TUNE_CURRENT_Y, IDC_TUNE_CURRENT_FIELDS,
                IDC_TUNE_CURRENT_SHARED, IDC_TUNE_CURRENT_CUT, IDC_TUNE_CURRENT_EMPTY});
  show_figures(dialog, p.proposed,
               {IDC_TUNE_PROPOSED_X, IDC_TUNE_PROPOSED_Y, IDC_TUNE_PROPOSED_FIELDS,
                IDC_TUNE_PROPOSED_SHARED, IDC_TUNE_PROPOSED_CUT, IDC_TUNE_PROPOSED_EMPTY});
  // Without stacks the proposal is the current values: there is nothing to apply.
  EnableWindow(GetDlgItem(dialog, IDC_TUNE_APPLY), p.outcome == TuningOutcome::Proposed);
  if (data.show) {
    show_column(dialog, p.outcome == TuningOutcome::Proposed ? IDC_TUNE_SHOW_PROPOSED
                                                             : IDC_TUNE_SHOW_CURRENT);
  } else {  // no preview to draw in
    EnableWindow(GetDlgItem(dialog, IDC_TUNE_SHOW_CURRENT), FALSE);
    EnableWindow(GetDlgItem(dialog, IDC_TUNE_SHOW_PROPOSED), FALSE);
  }
  return TRUE;
}

INT_PTR CALLBACK tune_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return on_init(dialog);
    case WM_COMMAND:
      switch (LOWORD(wparam)) {
        case IDC_TUNE_SHOW_CURRENT:
        case IDC_TUNE_SHOW_PROPOSED:
          if (const auto* data = dialog_data<const TuneDialogData>(dialog);
              HIWORD(wparam) == BN_CLICKED && data && data->show) {
            show_column(dialog, LOWORD(wparam));
          }
          return TRUE;
        case IDC_TUNE_APPLY:
          EndDialog(dialog, IDOK);
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, IDCANCEL);
          return TRUE;
        default:
          return FALSE;
      }
    case WM_CLOSE:
      EndDialog(dialog, IDCANCEL);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

bool run_tune_dialog(HWND owner, const WindowProposal& proposal, const ShowWindowInPreview& show) {
  TuneDialogData data{proposal, show};
  return run_modal<tune_proc>(owner, IDD_TUNE, data) == IDOK;
}

bool tune_recognition_window(App& app) {
  const Workspace& ws = app.ws;
  const WindowProposal p =
      propose_recognition_window(ws.texts, ws.base_parts, ws.prohibited_words, ws.settings);
  if (p.outcome == TuningOutcome::NoAnchors) {
    MessageBoxW(app.main,
                L"読み込んだ図面に基部品Listのタグで始まる文字がないため、認識範囲を調整できま"
                L"せん。",
                kTitle, MB_OK | MB_ICONINFORMATION);
    return false;
  }
  ShowWindowInPreview show;
  if (app.preview.frame) {
    show = [&app](int pt_x, int pt_y) { try_recognition_window(app, pt_x, pt_y); };
  }
  // Over the main window: its commands wait, while the preview still zooms and pans.
  if (run_tune_dialog(app.main, p, show)) {
    apply_recognition_window(app, p.proposed.pt_x, p.proposed.pt_y);
    return true;
  }
  end_trial_window(app);
  return false;
}

}  // namespace korvane::win
