#include "preview_window.h"
#include "guarded_proc.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "app.h"
#include "dxf/anchor_test.h"
#include "parts_list_view.h"
#include "preview_canvas.h"
#include "report/recognition_report.h"
#include "resource.h"
#include "text/messages.h"
#include "wide.h"

namespace korvane::win {
namespace {

constexpr wchar_t kPreviewClass[] = L"Korvane Preview";

// The buttons of the bar, left to right. A button's command is handled in on_frame_command.
struct BarButton {
  int id;
  std::string_view text;  // Shift-JIS
};
constexpr std::array kBarButtons{BarButton{IDC_PREVIEW_FIT, msg::kPreviewFitAll},
                                 BarButton{IDC_PREVIEW_TUNE, msg::kPreviewTune}};
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 24;
constexpr int kBarGap = 4;

App* app_of_frame(HWND frame) {
  return reinterpret_cast<App*>(GetWindowLongPtrW(frame, GWLP_USERDATA));
}

COLORREF colour_ref(std::uint32_t rgb) {
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

void create_bar(HWND frame, App& app) {
  PreviewWindow& p = app.preview;
  p.bar_font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                           L"ＭＳ Ｐゴシック");
  int x = kBarGap;
  for (const BarButton& b : kBarButtons) {
    HWND button = CreateWindowExW(
        0, L"BUTTON", widen(b.text).c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, x,
        (kPreviewBarHeight - kButtonHeight) / 2, kButtonWidth, kButtonHeight, frame,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(b.id)), app.instance, nullptr);
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(p.bar_font), FALSE);
    x += kButtonWidth + kBarGap;
  }
  p.canvas = CreateWindowExW(
      WS_EX_CLIENTEDGE, kPreviewCanvasClass, L"", WS_CHILD | WS_VISIBLE, 0, kPreviewBarHeight, 0, 0,
      frame, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_PREVIEW_CANVAS)), app.instance, &app);
}

// The legend beside the buttons: a key in each class's colour, its label and count, and the
// window the classes were taken with.
void paint_legend(HWND frame, HDC dc, const App& app) {
  const PreviewWindow& p = app.preview;
  RECT client{};
  GetClientRect(frame, &client);
  RECT bar{0, 0, client.right, kPreviewBarHeight};
  FillRect(dc, &bar, GetSysColorBrush(COLOR_BTNFACE));
  HGDIOBJ old_font = SelectObject(dc, p.bar_font);
  SetBkMode(dc, TRANSPARENT);
  struct Entry {
    std::uint32_t colour;
    std::string text;
    bool outline;
  };
  // A window drawn on trial that is not the stored one is the tune dialog's proposal.
  const bool proposal =
      p.trial && (p.trial->pt_x != app.ws.settings.pt_x || p.trial->pt_y != app.ws.settings.pt_y);
  const std::string window =
      std::string(proposal ? msg::kPreviewLegendProposal : msg::kPreviewLegendWindow) +
      " pt_x=" + std::to_string(p.data.pt_x) + " pt_y=" + std::to_string(p.data.pt_y);
  const Entry entries[] = {
      {kAnchorColour,
       std::string(msg::kPreviewLegendAnchor) + " " + std::to_string(p.counts.anchors), false},
      {kFieldColour, std::string(msg::kPreviewLegendField) + " " + std::to_string(p.counts.fields),
       false},
      {kOtherColour, std::string(msg::kPreviewLegendOther) + " " + std::to_string(p.counts.others),
       false},
      {kFindingColour,
       std::string(msg::kPreviewLegendFinding) + " " + std::to_string(p.counts.with_findings),
       false},
      {kWindowColour, window, true},
  };
  int x = kBarGap + static_cast<int>(kBarButtons.size()) * (kButtonWidth + kBarGap) + 8;
  const int middle = kPreviewBarHeight / 2;
  for (const Entry& e : entries) {
    RECT key{x, middle - 5, x + 10, middle + 5};
    if (e.outline) {
      HPEN pen = CreatePen(PS_SOLID, 1, colour_ref(e.colour));
      HGDIOBJ old_pen = SelectObject(dc, pen);
      HGDIOBJ old_brush = SelectObject(dc, GetStockObject(NULL_BRUSH));
      Rectangle(dc, key.left, key.top, key.right, key.bottom);
      SelectObject(dc, old_brush);
      DeleteObject(SelectObject(dc, old_pen));
    } else {
      HBRUSH brush = CreateSolidBrush(colour_ref(e.colour));
      FillRect(dc, &key, brush);
      DeleteObject(brush);
    }
    const std::wstring label = widen(e.text);
    SIZE size{};
    GetTextExtentPoint32W(dc, label.c_str(), static_cast<int>(label.size()), &size);
    TextOutW(dc, x + 14, middle - size.cy / 2, label.c_str(), static_cast<int>(label.size()));
    x += 14 + size.cx + 12;
  }
  SelectObject(dc, old_font);
}

void on_frame_command(App& app, int id) {
  switch (id) {
    case IDC_PREVIEW_FIT:
      fit_preview(app.preview, app);
      InvalidateRect(app.preview.canvas, nullptr, FALSE);
      SetFocus(app.preview.canvas);
      break;
    case IDC_PREVIEW_TUNE:
      // The menu's command. While a dialog of the main window is open the preview still takes
      // the mouse (to look at a proposal), but no second command starts.
      if (IsWindowEnabled(app.main)) {
        SendMessageW(app.main, WM_COMMAND, MAKEWPARAM(IDM_TUNE_WINDOW, 0), 0);
      } else {
        MessageBeep(MB_OK);
      }
      break;
    default:
      break;
  }
}

LRESULT frame_proc(HWND frame, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(frame, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  App* app = app_of_frame(frame);
  if (!app) return DefWindowProcW(frame, message, wparam, lparam);
  switch (message) {
    case WM_CREATE:
      app->preview.frame = frame;
      create_bar(frame, *app);
      return 0;
    case WM_SIZE:
      MoveWindow(app->preview.canvas, 0, kPreviewBarHeight, LOWORD(lparam),
                 std::max(0, HIWORD(lparam) - kPreviewBarHeight), TRUE);
      InvalidateRect(frame, nullptr, FALSE);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(frame, &ps);
      paint_legend(frame, dc, *app);
      EndPaint(frame, &ps);
      return 0;
    }
    case WM_SETFOCUS:
      SetFocus(app->preview.canvas);
      return 0;
    case WM_MOUSEWHEEL:  // from a button that had the focus
      return SendMessageW(app->preview.canvas, message, wparam, lparam);
    case WM_COMMAND:
      on_frame_command(*app, LOWORD(wparam));
      return 0;
    case WM_DESTROY: {
      PreviewWindow& p = app->preview;
      release_canvas_resources(p);
      if (p.bar_font) DeleteObject(p.bar_font);
      // The picture is made again when the window opens next.
      p = PreviewWindow{};
      return 0;
    }
    default:
      return DefWindowProcW(frame, message, wparam, lparam);
  }
}

bool register_frame_class(HINSTANCE instance) {
  WNDCLASSW wc{};
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = guarded<frame_proc>;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_KORVANE));
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = kPreviewClass;
  return RegisterClassW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// The rows the read's anchors are in now, and the anchors of each row.
void map_rows(PreviewWindow& p, const App& app) {
  p.row_of_anchor.clear();
  p.anchors_of_row.clear();
  const std::vector<RowId> rows = rows_now(app.ws, app.trail);
  for (std::size_t g = 0; g < rows.size(); ++g) {
    if (rows[g] == 0) continue;
    const std::size_t anchor = app.trail.groups[g].anchor;
    p.row_of_anchor[anchor] = rows[g];
    p.anchors_of_row[rows[g]].push_back(anchor);
  }
}

}  // namespace

void open_preview_window(App& app) {
  PreviewWindow& p = app.preview;
  if (p.frame) {
    ShowWindow(p.frame, SW_RESTORE);
    SetForegroundWindow(p.frame);
    return;
  }
  if (!register_frame_class(app.instance) || !register_preview_canvas_class(app.instance)) return;
  const std::wstring title = widen(msg::kPreviewTitle);
  // Owned by the main window: it stays above it and closes with it.
  HWND frame = CreateWindowExW(0, kPreviewClass, title.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                               CW_USEDEFAULT, kPreviewWidth, kPreviewHeight, app.main, nullptr,
                               app.instance, &app);
  if (!frame) return;
  p.texts_stale = true;
  p.fit_pending = true;
  refresh_preview(app);
  ShowWindow(frame, SW_SHOWNORMAL);
  UpdateWindow(frame);
}

void preview_read_changed(App& app) {
  PreviewWindow& p = app.preview;
  p.texts_stale = true;
  p.fit_pending = true;
  p.marked.clear();
}

void refresh_preview(App& app) {
  PreviewWindow& p = app.preview;
  if (!p.frame) return;
  const TextTable& texts = app.ws.texts;
  if (p.texts_stale) {
    p.texts.clear();
    p.texts.reserve(texts.size());
    for (const TextRecord& t : texts) p.texts.push_back(widen(table_text(t)));
    p.grid.build(texts);
    p.texts_stale = false;
  }
  p.data = p.trial ? make_drawing_preview(app.ws, app.trail, p.trial->pt_x, p.trial->pt_y)
                   : make_drawing_preview(app.ws, app.trail);
  p.counts = count_classes(texts, p.data);
  p.group_at.assign(texts.size(), -1);
  for (std::size_t g = 0; g < p.data.groups.size(); ++g) {
    p.group_at[p.data.groups[g].anchor] = static_cast<int>(g);
  }
  map_rows(p, app);
  if (p.fit_pending) {
    RECT r{};
    GetClientRect(p.canvas, &r);
    if (r.right > 0 && r.bottom > 0) {
      fit_preview(p, app);
      p.fit_pending = false;
    }
  }
  InvalidateRect(p.frame, nullptr, FALSE);
  InvalidateRect(p.canvas, nullptr, FALSE);
}

namespace {

void redraw_with(App& app, std::optional<TrialWindow> trial) {
  app.preview.trial = trial;
  refresh_preview(app);
  if (app.preview.canvas) UpdateWindow(app.preview.canvas);
}

}  // namespace

void apply_recognition_window(App& app, int pt_x, int pt_y) {
  app.ws.settings.pt_x = pt_x;
  app.ws.settings.pt_y = pt_y;
  redraw_with(app, std::nullopt);
}

void try_recognition_window(App& app, int pt_x, int pt_y) {
  if (app.preview.frame) redraw_with(app, TrialWindow{pt_x, pt_y});
}

void end_trial_window(App& app) {
  if (app.preview.frame) redraw_with(app, std::nullopt);
}

void preview_follow_row(App& app, int row) {
  PreviewWindow& p = app.preview;
  if (!p.frame) return;
  const std::vector<RowId>& ids = app.ws.parts.row_ids();
  p.marked.clear();
  if (row >= 0 && static_cast<std::size_t>(row) < ids.size()) {
    const auto found = p.anchors_of_row.find(ids[static_cast<std::size_t>(row)]);
    if (found != p.anchors_of_row.end()) p.marked = found->second;
  }
  if (!p.selecting_row && !p.marked.empty()) centre_preview_on(p, app, p.marked);
  InvalidateRect(p.canvas, nullptr, FALSE);
}

void select_row_of_anchor(App& app, std::size_t anchor) {
  PreviewWindow& p = app.preview;
  const auto found = p.row_of_anchor.find(anchor);
  if (found == p.row_of_anchor.end()) return;
  const std::vector<RowId>& ids = app.ws.parts.row_ids();
  const auto at = std::find(ids.begin(), ids.end(), found->second);
  if (at == ids.end()) return;
  p.selecting_row = true;
  choose_parts_row(app, static_cast<int>(at - ids.begin()));
  p.selecting_row = false;
}

}  // namespace korvane::win
