#include "main_window.h"

#include <commctrl.h>

#include "app.h"
#include "commands.h"
#include "dropped_files.h"
#include "parts_list_view.h"
#include "reference_files.h"
#include "resource.h"
#include "settings/settings.h"
#include "toolbar.h"

namespace korvane::win {
namespace {

LRESULT on_create(HWND hwnd, App& app) {
  app.main = hwnd;
  app.notifier.set_owner(hwnd);
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  read_settings(app.ws, app.notifier, settings_dialogs(app));
  load_reference_pair(app);
  app.toolbar = create_toolbar(hwnd, app.instance);
  create_parts_list_view(app);
  app.accelerators = LoadAcceleratorsW(app.instance, MAKEINTRESOURCEW(IDA_MAIN));
  DragAcceptFiles(hwnd, TRUE);
  return 0;
}

// The settings first; the reference pair only if the user did not choose to quit at once
// because the settings could not be written.
void on_destroy(App& app) {
  close_cell_editors(app);
  app.quit_at_once = write_settings(app.ws, app.notifier);
  if (!app.quit_at_once) save_reference_pair(app);
  PostQuitMessage(0);
}

void on_nc_destroy(App& app) {
  release_parts_list_view(app);
  app.toolbar = nullptr;
  app.main = nullptr;
}

LRESULT on_size(HWND hwnd, App& app, WPARAM wparam, LPARAM lparam) {
  if (app.toolbar) SendMessageW(app.toolbar, WM_SIZE, wparam, lparam);
  place_parts_list_view(app, LOWORD(lparam), HIWORD(lparam));
  InvalidateRect(hwnd, nullptr, FALSE);
  UpdateWindow(hwnd);
  return 0;
}

LRESULT on_paint(HWND hwnd) {
  PAINTSTRUCT ps;
  BeginPaint(hwnd, &ps);
  EndPaint(hwnd, &ps);
  return 0;
}

LRESULT on_notify(App& app, WPARAM wparam, LPARAM lparam) {
  auto* header = reinterpret_cast<NMHDR*>(lparam);
  if (header->idFrom == IDC_PARTS_LIST) return on_parts_list_notify(app, wparam, lparam);
  if (header->code == TTN_GETDISPINFOW) fill_toolbar_tooltip(header, app.instance);
  return 0;
}

LRESULT on_timer(App& app, WPARAM id) {
  if (id == IDT_COMBO_CLOSE_TIMER) on_combo_close_timer(app);
  return 0;
}

}  // namespace

App* app_of(HWND hwnd) { return reinterpret_cast<App*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)); }

LRESULT CALLBACK main_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  App* app = app_of(hwnd);
  if (!app) return DefWindowProcW(hwnd, message, wparam, lparam);
  switch (message) {
    case WM_CREATE:
      return on_create(hwnd, *app);
    case WM_DESTROY:
      on_destroy(*app);
      return 0;
    case WM_NCDESTROY:
      on_nc_destroy(*app);
      return DefWindowProcW(hwnd, message, wparam, lparam);
    case WM_SIZE:
      return on_size(hwnd, *app, wparam, lparam);
    case WM_PAINT:
      return on_paint(hwnd);
    case WM_QUERYNEWPALETTE:
      return 0;
    case WM_NOTIFY:
      return on_notify(*app, wparam, lparam);
    case WM_COMMAND:
      on_command(*app, LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam));
      return 0;
    case WM_TIMER:
      return on_timer(*app, wparam);
    case WM_DROPFILES:
      on_drop_files(*app, reinterpret_cast<HDROP>(wparam));
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wparam, lparam);
  }
}

}  // namespace korvane::win
