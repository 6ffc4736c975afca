// Starts an unpacked release's Korvane.exe in its own folder, as a user does by double-clicking
// it, and checks that it comes up cleanly: the main window appears and no message box or dialog
// is shown on the way (an unreadable Korvane.ini, a missing base parts list or prohibited words
// file, or the first-start question would each show one). Then it closes the window and checks
// that the program ends with exit code 0.
//
// Usage: release_start_check.exe FOLDER   (prints one line; exit 0 when the start was clean)
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr wchar_t kMainClassName[] = L"Main Window";
constexpr DWORD kStartTimeoutMs = 60000;
constexpr DWORD kSettleMs = 1500;  // a message box of the start would appear within this

struct Search {
  DWORD pid;
  HWND main = nullptr;
  HWND dialog = nullptr;
};

BOOL CALLBACK visit(HWND hwnd, LPARAM lparam) {
  auto* search = reinterpret_cast<Search*>(lparam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != search->pid) return TRUE;
  wchar_t cls[64] = {};
  GetClassNameW(hwnd, cls, 64);
  if (std::wstring(cls) == L"#32770" && IsWindowVisible(hwnd)) search->dialog = hwnd;
  if (std::wstring(cls) == kMainClassName && IsWindowVisible(hwnd)) search->main = hwnd;
  return TRUE;
}

Search find_windows(DWORD pid) {
  Search search{pid};
  EnumWindows(visit, reinterpret_cast<LPARAM>(&search));
  return search;
}

// The texts of a dialog's controls, so that the failure says what the program said.
BOOL CALLBACK collect_text(HWND hwnd, LPARAM lparam) {
  wchar_t text[512] = {};
  GetWindowTextW(hwnd, text, 512);
  if (text[0] != 0) {
    auto* out = reinterpret_cast<std::wstring*>(lparam);
    *out += L" [";
    *out += text;
    *out += L"]";
  }
  return TRUE;
}

int fail(PROCESS_INFORMATION& pi, const char* what, HWND dialog = nullptr) {
  std::wstring texts;
  if (dialog) {
    wchar_t title[256] = {};
    GetWindowTextW(dialog, title, 256);
    texts = title;
    EnumChildWindows(dialog, collect_text, reinterpret_cast<LPARAM>(&texts));
  }
  std::printf("release start: FAILED: %s", what);
  if (!texts.empty()) {
    char utf8[4096] = {};
    WideCharToMultiByte(CP_UTF8, 0, texts.c_str(), -1, utf8, sizeof utf8 - 1, nullptr, nullptr);
    std::printf(": %s", utf8);
  }
  std::printf("\n");
  TerminateProcess(pi.hProcess, 3);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::printf("usage: release_start_check FOLDER\n");
    return 2;
  }
  const std::wstring folder = argv[1];
  std::wstring command = L"\"" + folder + L"\\Korvane.exe\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &si, &pi)) {
    std::printf("release start: FAILED: Korvane.exe could not be started (error %lu)\n",
                GetLastError());
    return 1;
  }
  WaitForInputIdle(pi.hProcess, kStartTimeoutMs);

  HWND main = nullptr;
  DWORD main_seen_at = 0;
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < kStartTimeoutMs) {
    if (WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) {
      return fail(pi, "Korvane.exe ended by itself during its start");
    }
    const Search found = find_windows(pi.dwProcessId);
    if (found.dialog)
      return fail(pi, "a message box or dialog appeared at the start", found.dialog);
    if (found.main && !main) {
      main = found.main;
      main_seen_at = GetTickCount();
    }
    if (main && GetTickCount() - main_seen_at >= kSettleMs) break;
    Sleep(100);
  }
  if (!main) return fail(pi, "the main window did not appear");

  PostMessageW(main, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0) {
    const Search found = find_windows(pi.dwProcessId);
    return fail(pi, "Korvane.exe did not end after its window was closed", found.dialog);
  }
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  if (code != 0) {
    std::printf("release start: FAILED: Korvane.exe ended with exit code %lu\n", code);
    return 1;
  }
  std::printf("release start: main window up, no message, closed with exit code 0\n");
  return 0;
}
