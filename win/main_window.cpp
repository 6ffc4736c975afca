#include "main_window.h"

#include <commctrl.h>

#include "app.h"
#include "resource.h"
#include "settings/settings.h"
#include "settings_dialog.h"

namespace korvane::win {
namespace {

LRESULT on_create(HWND hwnd, App& app) {
  app.main = hwnd;
  app.notifier.set_owner(hwnd);
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  SettingsDialogs dialogs;
  dialogs.settings_dialog = [&app](Workspace& ws) { run_settings_dialog(app.main, ws); };
  read_settings(app.ws, app.notifier, dialogs);
  return 0;
}

// The list-view columns are built once, at start: the new ones show after a restart.
void change_settings(App& app) {
  run_settings_dialog(app.main, app.ws);
  MessageBoxW(app.main, L"設定を有効にする場合は、再起動して下さい。", L"再起動をしよう！", MB_OK);
}

void on_command(App& app, int id) {
  if (id == IDM_SETTINGS) change_settings(app);
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
      on_command(*app, LOWORD(wparam));
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wparam, lparam);
  }
}

}  // namespace korvane::win
