// Korvane.exe started as Explorer starts it for "送る" or a file association: drawings on its
// command line, in a folder that is not the program's.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <filesystem>

#include "gui_driver.h"
#include "resource.h"
#include "test_support.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

const fs::path kProgram = fs::absolute(fs::path(KORVANE_EXE));
const fs::path kSamples = fs::absolute(fs::path(KORVANE_SOURCE_DIR) / "samples");

// The program's main window once it is shown, or the first dialog it shows on the way.
HWND window_of(DWORD process) {
  std::pair<DWORD, HWND> search{process, nullptr};
  EnumWindows(
      [](HWND hwnd, LPARAM param) -> BOOL {
        auto& s = *reinterpret_cast<std::pair<DWORD, HWND>*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner == s.first && IsWindowVisible(hwnd)) s.second = hwnd;
        return !s.second;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.second;
}

TEST(CommandLine, DrawingsAreReadWithTheSettingsAndListsBesideTheProgram) {
  test::TempDir dir;
  const fs::path program = dir.path() / "program", start = dir.path() / "start";
  fs::create_directories(start / "drawings");
  fs::create_directories(program);
  fs::copy_file(kProgram, program / "Korvane.exe");
  fs::copy_file(kSamples / "main_circuit.dxf", start / "drawings" / "main_circuit.dxf");
  // Korvane.ini and the lists it names without a folder, beside the program only: one read from
  // the start folder would ask the first-start question and find no lists.
  for (const char* name : {"Korvane.ini", "base_parts.txt", "prohibited_words.txt"}) {
    fs::copy_file(kSamples / name, program / name);
  }
  std::wstring line = L"Korvane.exe drawings";  // taken from the start folder
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessW((program / "Korvane.exe").wstring().c_str(), line.data(), nullptr,
                             nullptr, FALSE, 0, nullptr, start.wstring().c_str(), &si, &pi));
  HWND window = nullptr;
  HWND list = nullptr;
  EXPECT_TRUE(test::pump_until(
      [&] {
        window = window_of(pi.dwProcessId);
        list = window ? GetDlgItem(window, IDC_PARTS_LIST) : nullptr;
        return window && (!list || ListView_GetItemCount(list) > 0);
      },
      60000));
  EXPECT_EQ(test::window_text(window), L"Korvane Ver1.06");  // no dialog on the way
  EXPECT_TRUE(list);
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 30000), WAIT_OBJECT_0);
  TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  // Nothing written in the start folder at exit.
  for (const char* name : {"Korvane.ini", "base_parts.txt", "prohibited_words.txt"}) {
    EXPECT_FALSE(fs::exists(start / name)) << name;
  }
}

}  // namespace
}  // namespace korvane
