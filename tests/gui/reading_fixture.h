// The main window started on the sample settings and reference lists, with the sample drawings
// in a folder of their own that the folder browser opens on.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "dialog_session.h"
#include "dxf/dxf_reader.h"
#include "dxf/recognition.h"
#include "main_window_fixture.h"
#include "settings/settings.h"

namespace korvane::test {

inline const std::filesystem::path kSamples = std::filesystem::path(KORVANE_SOURCE_DIR) / "samples";
inline const std::vector<std::string> kSampleDrawings = {"main_circuit.dxf", "control_circuit.dxf",
                                                         "operation_board.dxf"};
inline constexpr wchar_t kDxfDialogTitle[] = L"DXFファイル読込";
// The folder browser of Wine's shell, as the Japanese locale titles it.
inline constexpr wchar_t kBrowserTitle[] = L"フォルダーの参照";

// The folder browser's answer: OK once its tree shows `folder` chosen (the browser selects the
// remembered folder as it opens), or after 10 s whatever it shows. When Wine's browser has not
// found the folder within 3 s the selection is asked for again.
std::function<void(HWND)> accept_folder(std::wstring folder);

class ReadingTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    for (const char* name : {"base_parts.txt", "prohibited_words.txt"}) {
      std::filesystem::copy_file(kSamples / name, dir_.path() / name);
    }
    std::filesystem::create_directory(drawings());
    for (const std::string& name : kSampleDrawings) {
      std::filesystem::copy_file(kSamples / name, drawings() / name);
    }
  }

  std::filesystem::path drawings() const { return dir_.path() / "drawings"; }
  // The path as the program holds it (Shift-JIS, backslashes).
  static std::string native(const std::filesystem::path& path) {
    return win::narrow(path.lexically_normal().make_preferred().wstring());
  }

  // The sample settings, the folder browser opening on the drawings, after `change`.
  template <typename Change>
  void open_with_sample_settings(Change change) {
    Settings settings;
    parse_settings(settings, read_file(kSamples / "Korvane.ini"));
    settings.file_folder = native(drawings());
    change(settings);
    write_file(dir_.path() / "Korvane.ini", format_settings(settings));
    ASSERT_TRUE(open_main_window());
  }
  void open_with_sample_settings() {
    open_with_sample_settings([](Settings&) {});
  }

  // What the core makes of `paths` with the window's settings and lists, for comparison.
  PartsList recognised(const std::vector<std::string>& paths) {
    Workspace ws;
    ws.settings = app_.ws.settings;
    ws.base_parts = app_.ws.base_parts;
    ws.prohibited_words = app_.ws.prohibited_words;
    RecordingNotifier notifier;
    for (const std::string& path : paths) read_dxf_file(path, ws.texts, notifier);
    recognise_parts(ws);
    return ws.parts;
  }

  // Every cell of every row, in UTF-8, for readable failures.
  static std::vector<std::string> rows_of(const PartsList& parts) {
    std::vector<std::string> rows;
    for (int r = 0; r < parts.row_count(); ++r) {
      std::string row;
      for (int c = 0; c < kColumnCount; ++c) row += utf8(parts.cell(r, c)) + "|";
      rows.push_back(row);
    }
    return rows;
  }
};

}  // namespace korvane::test
