#include "report_window.h"
#include "guarded_proc.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "app.h"
#include "file_dialogs.h"
#include "output/parts_list_writer.h"
#include "parts_list_view.h"
#include "report/recognition_report.h"
#include "report/report_csv.h"
#include "resource.h"
#include "text/encoding.h"
#include "wide.h"

namespace korvane::win {
namespace {

enum Column { kKind, kDrawing, kText, kX, kY, kDetail, kColumns };

struct ColumnSpec {
  const wchar_t* title;
  int width;
  int format;
};
constexpr std::array<ColumnSpec, kColumns> kColumnSpecs{{{L"種類", 100, LVCFMT_LEFT},
                                                         {L"図面", 130, LVCFMT_LEFT},
                                                         {L"文字", 110, LVCFMT_LEFT},
                                                         {L"X", 60, LVCFMT_RIGHT},
                                                         {L"Y", 60, LVCFMT_RIGHT},
                                                         {L"内容", 420, LVCFMT_LEFT}}};
constexpr int kMargin = 6;

// The window's report and the texts its list view shows, in the order the user sorted them.
struct ReportWindow {
  App* app = nullptr;
  HWND list = nullptr;
  RecognitionReport report;
  std::vector<std::array<std::wstring, kColumns>> cells;  // by finding
  std::vector<std::size_t> order;                         // findings by list row
  int sorted_by = -1;
  bool descending = false;
};

ReportWindow* state_of(HWND window) {
  return reinterpret_cast<ReportWindow*>(GetWindowLongPtrW(window, DWLP_USER));
}

std::wstring file_name_of(const std::string& path) {
  const std::wstring wide = widen(path);
  const std::size_t slash = wide.find_last_of(L"\\/");
  return slash == std::wstring::npos ? wide : wide.substr(slash + 1);
}

std::wstring summary_of(const ReportWindow& w) {
  if (!w.app->trail.recorded) return L"図面を読み込むと、その認識結果がここに出ます。";
  std::size_t texts = 0;
  for (const DrawingSummary& d : w.report.drawings) texts += d.texts();
  return L"図面 " + std::to_wstring(w.report.drawings.size()) + L" 枚、文字 " +
         std::to_wstring(texts) + L" 個、タグ " + std::to_wstring(w.report.anchors) +
         L" 個、部品リスト " + std::to_wstring(w.report.rows) + L" 行：指摘 " +
         std::to_wstring(w.report.findings.size()) + L" 件";
}

void show_sort_mark(const ReportWindow& w) {
  HWND header = ListView_GetHeader(w.list);
  for (int c = 0; c < kColumns; ++c) {
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    Header_GetItem(header, c, &item);
    item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
    if (c == w.sorted_by) item.fmt |= w.descending ? HDF_SORTDOWN : HDF_SORTUP;
    Header_SetItem(header, c, &item);
  }
}

// Orders the findings by one column, keeping the order of equal ones (so clicks on two titles
// sort by both): the kind by its order in the report, X and Y as numbers, the rest as text.
void sort_rows(ReportWindow& w) {
  const int c = w.sorted_by;
  const auto less = [&](std::size_t a, std::size_t b) {
    const Finding& fa = w.report.findings[a];
    const Finding& fb = w.report.findings[b];
    switch (c) {
      case kKind:
        return fa.kind < fb.kind;
      case kX:
        return fa.x < fb.x;
      case kY:
        return fa.y < fb.y;
      default:
        return w.cells[a][static_cast<std::size_t>(c)] < w.cells[b][static_cast<std::size_t>(c)];
    }
  };
  if (c >= 0) {
    std::stable_sort(w.order.begin(), w.order.end(), [&](std::size_t a, std::size_t b) {
      return w.descending ? less(b, a) : less(a, b);
    });
  }
  show_sort_mark(w);
  InvalidateRect(w.list, nullptr, FALSE);
}

void fill(HWND window, ReportWindow& w) {
  App& app = *w.app;
  w.report = make_recognition_report(app.ws, app.trail);
  w.cells.clear();
  w.cells.reserve(w.report.findings.size());
  for (const Finding& f : w.report.findings) {
    const std::string drawing =
        f.drawing < w.report.drawings.size() ? w.report.drawings[f.drawing].path : std::string();
    w.cells.push_back({widen(finding_label(f.kind)), file_name_of(drawing), widen(f.text),
                       widen(format_g(f.x)), widen(format_g(f.y)), widen(f.detail)});
  }
  w.order.resize(w.report.findings.size());
  std::iota(w.order.begin(), w.order.end(), std::size_t{0});
  ListView_SetItemState(w.list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_SetItemCountEx(w.list, static_cast<int>(w.order.size()), 0);
  sort_rows(w);
  SetDlgItemTextW(window, IDC_REPORT_SUMMARY, summary_of(w).c_str());
}

HWND create_list(HWND window) {
  HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA |
                                  LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                              0, 0, 0, 0, window,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_REPORT_LIST)),
                              GetModuleHandleW(nullptr), nullptr);
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  SendMessageW(list, WM_SETFONT, SendMessageW(window, WM_GETFONT, 0, 0), FALSE);
  for (int c = 0; c < kColumns; ++c) {
    const ColumnSpec& spec = kColumnSpecs[static_cast<std::size_t>(c)];
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = spec.format;
    column.cx = spec.width;
    column.pszText = const_cast<wchar_t*>(spec.title);
    column.iSubItem = c;
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(c),
                 reinterpret_cast<LPARAM>(&column));
  }
  return list;
}

// The summary on top, the buttons at the bottom right, the list between them.
void lay_out(HWND window, const ReportWindow& w) {
  RECT client{};
  GetClientRect(window, &client);
  HWND save = GetDlgItem(window, IDC_REPORT_SAVE);
  HWND close = GetDlgItem(window, IDC_REPORT_CLOSE);
  HWND summary = GetDlgItem(window, IDC_REPORT_SUMMARY);
  RECT button{};
  GetWindowRect(save, &button);
  const int bw = button.right - button.left;
  const int bh = button.bottom - button.top;
  RECT text{};
  GetWindowRect(summary, &text);
  const int th = text.bottom - text.top;
  const int bottom = client.bottom - kMargin - bh;
  MoveWindow(summary, kMargin, kMargin, client.right - 2 * kMargin, th, TRUE);
  MoveWindow(close, client.right - kMargin - bw, bottom, bw, bh, TRUE);
  MoveWindow(save, client.right - 2 * (kMargin + bw), bottom, bw, bh, TRUE);
  const int top = 2 * kMargin + th;
  MoveWindow(w.list, kMargin, top, client.right - 2 * kMargin, std::max(0, bottom - kMargin - top),
             TRUE);
}

INT_PTR on_init(HWND window, LPARAM param) {
  auto state = std::make_unique<ReportWindow>();
  state->app = reinterpret_cast<App*>(param);
  state->list = create_list(window);
  SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(state.get()));
  ReportWindow& w = *state.release();
  lay_out(window, w);
  fill(window, w);
  return TRUE;
}

// LVN_GETDISPINFO: the cells the list view is about to draw.
void fill_display_info(const ReportWindow& w, NMLVDISPINFOW& info) {
  LVITEMW& item = info.item;
  if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return;
  if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= w.order.size() ||
      item.iSubItem < 0 || item.iSubItem >= kColumns) {
    item.pszText[0] = L'\0';
    return;
  }
  const std::wstring& text = w.cells[w.order[static_cast<std::size_t>(item.iItem)]]
                                    [static_cast<std::size_t>(item.iSubItem)];
  const std::size_t n = std::min(text.size(), static_cast<std::size_t>(item.cchTextMax - 1));
  std::copy_n(text.data(), n, item.pszText);
  item.pszText[n] = L'\0';
}

// A double click on a finding tied to a row that is still in the list chooses that row there.
void show_row_of(const ReportWindow& w, int item) {
  if (item < 0 || static_cast<std::size_t>(item) >= w.order.size()) return;
  const RowId row = w.report.findings[w.order[static_cast<std::size_t>(item)]].row;
  if (row == 0) return;
  const std::vector<RowId>& ids = w.app->ws.parts.row_ids();
  const auto at = std::find(ids.begin(), ids.end(), row);
  if (at == ids.end()) return;
  choose_parts_row(*w.app, static_cast<int>(at - ids.begin()));
}

LRESULT on_notify(ReportWindow& w, NMHDR& header) {
  if (header.idFrom != IDC_REPORT_LIST) return 0;
  switch (header.code) {
    case LVN_GETDISPINFOW:
      fill_display_info(w, reinterpret_cast<NMLVDISPINFOW&>(header));
      break;
    case LVN_COLUMNCLICK: {
      const int column = reinterpret_cast<const NMLISTVIEW&>(header).iSubItem;
      w.descending = column == w.sorted_by && !w.descending;
      w.sorted_by = column;
      sort_rows(w);
      break;
    }
    case NM_DBLCLK:
      show_row_of(w, reinterpret_cast<const NMITEMACTIVATE&>(header).iItem);
      break;
    default:
      break;
  }
  return 0;
}

void save_csv(HWND window, ReportWindow& w) {
  const auto chosen = choose_report_file(window);
  if (!chosen || chosen->empty()) return;
  const std::string path = complete_output_extension(*chosen, OutputKind::Csv);
  write_report_csv(
      w.app->ws, w.report, path, [](std::string_view sjis) { return sjis_to_utf8(sjis); },
      w.app->notifier);
}

void on_destroy(HWND window) {
  std::unique_ptr<ReportWindow> state(state_of(window));
  SetWindowLongPtrW(window, DWLP_USER, 0);
  if (state && state->app->report_window == window) state->app->report_window = nullptr;
}

INT_PTR CALLBACK report_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) return on_init(window, lparam);
  ReportWindow* state = state_of(window);
  if (!state) return FALSE;
  switch (message) {
    case WM_SIZE:
      lay_out(window, *state);
      return TRUE;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
      info->ptMinTrackSize = {360, 200};
      return TRUE;
    }
    case WM_NOTIFY:
      SetWindowLongPtrW(window, DWLP_MSGRESULT,
                        on_notify(*state, *reinterpret_cast<NMHDR*>(lparam)));
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wparam)) {
        case IDC_REPORT_SAVE:
          save_csv(window, *state);
          return TRUE;
        case IDC_REPORT_CLOSE:
        case IDCANCEL:
          DestroyWindow(window);
          return TRUE;
        default:
          return FALSE;
      }
    case WM_CLOSE:
      DestroyWindow(window);  // modeless: destroyed, not ended
      return TRUE;
    case WM_DESTROY:
      on_destroy(window);
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

HWND open_report_window(App& app) {
  if (app.report_window && IsWindow(app.report_window)) {
    ShowWindow(app.report_window, SW_RESTORE);
    SetForegroundWindow(app.report_window);
    return app.report_window;
  }
  app.report_window =
      CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_RECOGNITION_REPORT),
                         app.main, guarded<report_window_proc>, reinterpret_cast<LPARAM>(&app));
  if (app.report_window) ShowWindow(app.report_window, SW_SHOWNORMAL);
  return app.report_window;
}

void refresh_report_window(App& app) {
  if (!app.report_window || !IsWindow(app.report_window)) return;
  if (ReportWindow* state = state_of(app.report_window)) fill(app.report_window, *state);
}

}  // namespace korvane::win
