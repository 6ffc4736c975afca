#include "gui_driver.h"

#include <commctrl.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace korvane::test {

bool pump_until(const std::function<bool()>& done, int timeout_ms) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeout_ms);
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) continue;  // the program's quit: the test decides when to stop
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (done()) return true;
    if (GetTickCount64() >= end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void pump_for(int ms) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ms);
  pump_until([&] { return GetTickCount64() >= end; }, ms + 1000);
}

std::wstring window_text(HWND hwnd) {
  wchar_t buffer[1024] = {};
  GetWindowTextW(hwnd, buffer, 1024);
  return buffer;
}

std::wstring class_name(HWND hwnd) {
  wchar_t buffer[256] = {};
  GetClassNameW(hwnd, buffer, 256);
  return buffer;
}

std::wstring dialog_item_text(HWND dialog, int id) {
  HWND item = GetDlgItem(dialog, id);
  return item ? window_text(item) : std::wstring();
}

DialogDriver::DialogDriver(DWORD ui_thread) : ui_thread_(ui_thread) {
  thread_ = std::thread([this] { watch(); });
}

DialogDriver::~DialogDriver() {
  stop_ = true;
  thread_.join();
}

void DialogDriver::expect(std::wstring title, std::function<void(HWND)> action) {
  std::lock_guard<std::mutex> lock(mutex_);
  expected_.push_back({std::move(title), std::move(action)});
}

std::vector<SeenDialog> DialogDriver::seen() {
  std::lock_guard<std::mutex> lock(mutex_);
  return seen_;
}

bool DialogDriver::all_handled() {
  std::lock_guard<std::mutex> lock(mutex_);
  return expected_.empty();
}

std::function<void(HWND)> DialogDriver::press(int button_id) {
  return [button_id](HWND dialog) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button_id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button_id)));
  };
}

std::function<void(HWND)> DialogDriver::enter_file_name(std::wstring name) {
  return [name = std::move(name)](HWND dialog) {
    // The file name is an edit (edt1) in the old dialog, the edit of a combo box (cmb13, in Wine
    // an extended one) in the newer one.
    HWND edit = GetDlgItem(dialog, 0x480);
    if (HWND combo = GetDlgItem(dialog, 0x47c); !edit && combo) {
      edit = class_name(combo) == L"ComboBoxEx32"
                 ? reinterpret_cast<HWND>(SendMessageW(combo, CBEM_GETEDITCONTROL, 0, 0))
                 : FindWindowExW(combo, nullptr, L"Edit", nullptr);
    }
    if (!edit) return;  // the dialog stays open and the test times out on it
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  };
}

void DialogDriver::watch() {
  while (!stop_) {
    std::vector<HWND> dialogs;
    EnumThreadWindows(
        ui_thread_,
        [](HWND hwnd, LPARAM param) -> BOOL {
          if (IsWindowVisible(hwnd) && class_name(hwnd) == L"#32770") {
            reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&dialogs));
    for (HWND dialog : dialogs) {
      std::function<void(HWND)> action;
      {
        std::lock_guard<std::mutex> lock(mutex_);
        if (handled_.count(dialog)) continue;
        const std::wstring title = window_text(dialog);
        if (expected_.empty() || expected_.front().title != title) {
          // An unexpected dialog is recorded once and left open for the test to notice.
          handled_.insert(dialog);
          seen_.push_back({title, dialog_item_text(dialog, 0xFFFF)});
          continue;
        }
        handled_.insert(dialog);
        seen_.push_back({title, dialog_item_text(dialog, 0xFFFF)});
        action = std::move(expected_.front().action);
        expected_.erase(expected_.begin());
      }
      // A dialog can be visible before it has made its controls (a template with WS_VISIBLE):
      // once the UI thread answers a message, its creation is over.
      SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr);
      action(dialog);
    }
    Sleep(20);
  }
}

bool save_window_bitmap(HWND hwnd, const std::wstring& path) {
  RECT r;
  if (!GetWindowRect(hwnd, &r)) return false;
  const int w = r.right - r.left;
  const int h = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  SelectObject(mem, old);
  BITMAPINFOHEADER bih{};
  bih.biSize = sizeof bih;
  bih.biWidth = w;
  bih.biHeight = h;
  bih.biPlanes = 1;
  bih.biBitCount = 24;
  const int stride = ((w * 3 + 3) / 4) * 4;
  std::vector<char> pixels(static_cast<std::size_t>(stride) * static_cast<std::size_t>(h));
  GetDIBits(mem, bmp, 0, static_cast<UINT>(h), pixels.data(), reinterpret_cast<BITMAPINFO*>(&bih),
            DIB_RGB_COLORS);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  BITMAPFILEHEADER bfh{};
  bfh.bfType = 0x4D42;
  bfh.bfOffBits = sizeof bfh + sizeof bih;
  bfh.bfSize = static_cast<DWORD>(bfh.bfOffBits + pixels.size());
  std::ofstream out(std::filesystem::path(path), std::ios::binary);
  out.write(reinterpret_cast<const char*>(&bfh), sizeof bfh);
  out.write(reinterpret_cast<const char*>(&bih), sizeof bih);
  out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
  return static_cast<bool>(out);
}

namespace {

void dump_tree(HWND hwnd, int depth, std::wofstream& out) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  out << std::wstring(static_cast<std::size_t>(depth) * 2, L' ') << class_name(hwnd) << L" id="
      << GetDlgCtrlID(hwnd) << L" \"" << window_text(hwnd) << L"\" (" << r.left << L"," << r.top
      << L" " << (r.right - r.left) << L"x" << (r.bottom - r.top) << L")\n";
  for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    dump_tree(child, depth + 1, out);
  }
}

}  // namespace

void save_failure_artifacts(HWND hwnd, const std::string& name) {
  if (!hwnd || !IsWindow(hwnd)) return;
  const char* dir = std::getenv("KORVANE_GUI_ARTIFACTS");
  const std::string base = std::string(dir ? dir : ".") + "\\" + name;
  save_window_bitmap(hwnd, std::wstring(base.begin(), base.end()) + L".bmp");
  std::wofstream tree(base + ".tree.txt");
  dump_tree(hwnd, 0, tree);
}

}  // namespace korvane::test
