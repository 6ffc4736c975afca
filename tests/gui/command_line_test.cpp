// Korvane.exe started as Explorer starts it for "送る" or a file association: drawings on its
// command line, in a folder that is not the program's.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <filesystem>
#include <string>
#include <vector>

#include "dxf/dxf_reader.h"
#include "dxf/recognition.h"
#include "gui_driver.h"
#include "reference/base_parts_file.h"
#include "reference/prohibited_words_file.h"
#include "resource.h"
#include "settings/settings.h"
#include "test_support.h"
#include "workspace.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

const fs::path kProgram = fs::absolute(fs::path(KORVANE_EXE));
const fs::path kSamples = fs::absolute(fs::path(KORVANE_SOURCE_DIR) / "samples");
const std::vector<std::string> kDrawings = {"control_circuit.dxf", "main_circuit.dxf",
                                            "operation_board.dxf"};

struct Windows {
  HWND main = nullptr;
  std::vector<HWND> dialogs;
};

Windows windows_of(DWORD process) {
  struct Search {
    DWORD process;
    Windows found;
  } search{process, {}};
  EnumWindows(
      [](HWND hwnd, LPARAM param) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner != s.process) return TRUE;
        const std::wstring name = test::class_name(hwnd);
        if (name == L"Main Window") s.found.main = hwnd;
        if (name == L"#32770" && IsWindowVisible(hwnd)) s.found.dialogs.push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The rows the sample lists make of the drawings, as the program should show them.
int rows_recognised(const std::vector<std::string>& names) {
  Workspace ws;
  parse_settings(ws.settings, test::read_file(kSamples / "Korvane.ini"));
  test::RecordingNotifier notifier;
  load_base_parts(ws.base_parts, (kSamples / "base_parts.txt").string(), notifier);
  load_prohibited_words(ws.prohibited_words, (kSamples / "prohibited_words.txt").string(),
                        notifier);
  for (const std::string& name : names) {
    read_dxf_file((kSamples / name).string(), ws.texts, notifier);
  }
  recognise_parts(ws);
  return ws.parts.row_count();
}

TEST(CommandLine, DrawingsAreReadWithTheSettingsBesideTheProgram) {
  struct Case {
    const char* label;
    std::vector<std::wstring> args;  // relative to the start folder
    bool settings_beside_program;
    std::vector<std::string> read;
  };
  const std::vector<Case> cases = {
      {"a folder", {L"drawings"}, true, kDrawings},
      {"one drawing", {L"drawings\\main_circuit.dxf"}, true, {"main_circuit.dxf"}},
      {"no arguments: Korvane.ini of the current folder", {}, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    test::TempDir dir;
    const fs::path program = dir.path() / "program";
    const fs::path start = dir.path() / "start";
    fs::create_directories(program);
    fs::create_directories(start / "drawings");
    fs::copy_file(kProgram, program / "Korvane.exe");
    for (const std::string& name : kDrawings) {
      fs::copy_file(kSamples / name, start / "drawings" / name);
    }
    // The sample settings name their lists relatively: they are found beside the settings.
    const fs::path settings_folder = c.settings_beside_program ? program : start;
    for (const char* name : {"Korvane.ini", "base_parts.txt", "prohibited_words.txt"}) {
      fs::copy_file(kSamples / name, settings_folder / name);
    }

    std::wstring line = L"\"" + (program / "Korvane.exe").wstring() + L"\"";
    for (const std::wstring& arg : c.args) line += L" \"" + arg + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW((program / "Korvane.exe").wstring().c_str(), line.data(), nullptr,
                               nullptr, FALSE, 0, nullptr, start.wstring().c_str(), &si, &pi));
    const int expected = c.read.empty() ? 0 : rows_recognised(c.read);
    Windows seen;
    // Shown once its start is over; a dialog on the way (the first-start question when no
    // Korvane.ini was found) is a failure.
    const bool shown = test::pump_until(
        [&] {
          seen = windows_of(pi.dwProcessId);
          if (!seen.dialogs.empty()) return true;
          if (!seen.main || !IsWindowVisible(seen.main)) return false;
          HWND list = GetDlgItem(seen.main, IDC_PARTS_LIST);
          return list && SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == expected;
        },
        60000);
    EXPECT_TRUE(shown);
    for (HWND dialog : seen.dialogs) {
      ADD_FAILURE() << "a dialog was shown: " << test::window_text(dialog);
      PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    }
    if (seen.main) {
      EXPECT_EQ(test::window_text(seen.main), L"Korvane Ver1.06");
      PostMessageW(seen.main, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0) {
      ADD_FAILURE() << "still running";
      TerminateProcess(pi.hProcess, 1);
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);

    // Written back at exit where it was read, and nothing written in the other folder.
    EXPECT_TRUE(fs::exists(settings_folder / "Korvane.ini"));
    const fs::path other = c.settings_beside_program ? start : program;
    for (const char* name : {"Korvane.ini", "base_parts.txt", "prohibited_words.txt"}) {
      EXPECT_FALSE(fs::exists(other / name)) << name;
    }
  }
}

}  // namespace
}  // namespace korvane
