#include "main_window.h"

#include <commctrl.h>

#include "app.h"
#include "resource.h"
#include "series_window.h"
#include "settings/settings.h"
#include "version_box.h"

namespace korvane::win {
namespace {

LRESULT on_create(HWND hwnd, App& app) {
  app.main = hwnd;
  app.notifier.set_owner(hwnd);
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  read_settings(app.ws, app.notifier);
  return 0;
}

void on_destroy(App& app) {
  app.quit_at_once = write_settings(app.ws, app.notifier);
  PostQuitMessage(0);
}

LRESULT on_paint(HWND hwnd) {
  PAINTSTRUCT ps;
  BeginPaint(hwnd, &ps);
  EndPaint(hwnd, &ps);
  return 0;
}

void on_command(HWND hwnd, WPARAM wparam) {
  switch (LOWORD(wparam)) {
    case IDM_SERIES:
      open_series_window(hwnd);
      break;
    case IDM_VERSION:
      run_version_box(hwnd);
      break;
    default:
      break;
  }
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
    case WM_PAINT:
      return on_paint(hwnd);
    case WM_QUERYNEWPALETTE:
      return 0;
    case WM_COMMAND:
      on_command(hwnd, wparam);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wparam, lparam);
  }
}

}  // namespace korvane::win
