#include "app.h"
#include "guarded_proc.h"

#include "command_line.h"
#include "dropped_files.h"
#include "keyboard.h"
#include "main_window.h"
#include "resource.h"

namespace korvane::win {

bool register_main_window_class(HINSTANCE instance) {
  WNDCLASSW wc{};
  wc.style = CS_VREDRAW | CS_HREDRAW | CS_BYTEALIGNCLIENT;
  wc.lpfnWndProc = guarded<main_window_proc>;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_KORVANE));
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszMenuName = MAKEINTRESOURCEW(IDM_MAIN);
  wc.lpszClassName = kMainClassName;
  return RegisterClassW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND create_main_window(App& app) {
  HDC screen = GetDC(nullptr);
  const int screen_width = GetDeviceCaps(screen, HORZRES);
  const int screen_height = GetDeviceCaps(screen, VERTRES);
  ReleaseDC(nullptr, screen);
  // The window is placed as if it were 600 high, although it is 540 high.
  const int x = (screen_width - 800) / 2;
  const int y = (screen_height - 600) / 2;
  return CreateWindowExW(0, kMainClassName, kMainTitle, WS_CAPTION | WS_SYSMENU, x, y, kMainWidth,
                         kMainHeight, nullptr, nullptr, app.instance, &app);
}

void process_message(App& app, MSG& msg) {
  if (translate_main_keys(app, msg)) return;
  // The recognition report is a modeless dialog: Tab, Enter and Esc move and press its controls.
  if (app.report_window && IsDialogMessageW(app.report_window, &msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

int run_message_loop(App& app) {
  MSG msg;
  for (;;) {
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      if (!GetMessageW(&msg, nullptr, 0, 0)) return static_cast<int>(msg.wParam);
      process_message(app, msg);
    } else {
      WaitMessage();
    }
  }
}

int run_app(HINSTANCE instance, int show) {
  App app;
  app.instance = instance;
  const std::vector<std::wstring> paths = paths_on_command_line();
  if (!paths.empty()) {
    if (auto beside_program = settings_file_beside_program()) {
      app.ws.settings_path = std::move(*beside_program);
    }
  }
  if (!register_main_window_class(instance)) return 0;
  HWND main = create_main_window(app);
  if (!main) return 1;
  ShowWindow(main, show);
  UpdateWindow(main);
  // The drawings are read as a plain drop reads them, with the window already in view.
  if (!paths.empty() && IsWindow(main)) read_dropped(app, paths, false);
  return run_message_loop(app);
}

}  // namespace korvane::win
