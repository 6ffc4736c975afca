#include <gtest/gtest.h>

#include "convert/passes.h"
#include "dropped_files.h"
#include "habits_fixture.h"
#include "reading_fixture.h"

namespace korvane {
namespace {

using test::DialogDriver;
using test::ReadingTest;
namespace fs = std::filesystem;

std::wstring wide_path(const fs::path& path) {
  return path.lexically_normal().make_preferred().wstring();
}

class DropTest : public ReadingTest {
 protected:
  // Explorer's drop: WM_DROPFILES with the HDROP it makes, Shift held or not.
  void drop(const std::vector<fs::path>& paths, unsigned modifiers = test::kNoModifier) {
    std::vector<std::wstring> wide;
    for (const fs::path& path : paths) wide.push_back(wide_path(path));
    test::hold(modifiers);
    SendMessageW(main_, WM_DROPFILES, reinterpret_cast<WPARAM>(test::make_hdrop(wide)), 0);
    test::hold(test::kNoModifier);
  }
  std::string drawing(const char* name) const { return native(drawings() / name); }
  std::size_t files_in(const fs::path& folder) const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
  }
};

TEST_F(DropTest, DropsAreSortedIntoDrawingsAndWhatIsNotRead) {
  const fs::path mixed = dir_.path() / "mixed";
  fs::create_directories(mixed / "sub.dxf");
  for (const char* name : {"b.DXF", "A.dxf", "c.dxf.bak", "notes.txt", "sub.dxf/deep.dxf"}) {
    test::write_file(mixed / name, "0\nEOF\n");
  }
  fs::create_directory(dir_.path() / "empty");
  const fs::path d = dir_.path();
  struct Case {
    const char* label;
    std::vector<fs::path> dropped;
    std::vector<fs::path> drawings;
    bool batch;
    std::vector<std::wstring> not_read;
  };
  const std::vector<Case> cases = {
      {"one drawing, found or not", {d / "x.dxf"}, {d / "x.dxf"}, false, {}},
      {"two drawings, in the order dropped",
       {d / "z.dxf", d / "a.Dxf"},
       {d / "z.dxf", d / "a.Dxf"},
       true,
       {}},
      {"a folder: its own drawings by name", {mixed}, {mixed / "A.dxf", mixed / "b.DXF"}, true, {}},
      {"a drawing and a folder",
       {d / "x.dxf", mixed},
       {d / "x.dxf", mixed / "A.dxf", mixed / "b.DXF"},
       true,
       {}},
      {"other files",
       {d / "notes.txt", d / "y.DXF", d / "y.dxf.txt"},
       {d / "y.DXF"},
       false,
       {wide_path(d / "notes.txt"), wide_path(d / "y.dxf.txt")}},
      {"a folder without drawings", {d / "empty"}, {}, true, {wide_path(d / "empty") + L"\\"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    std::vector<std::wstring> dropped;
    for (const fs::path& path : c.dropped) dropped.push_back(wide_path(path));
    const win::DroppedItems items = win::sort_out_dropped(dropped);
    std::vector<std::wstring> expected;
    for (const fs::path& path : c.drawings) expected.push_back(wide_path(path));
    EXPECT_EQ(items.drawings, expected);
    EXPECT_EQ(items.batch, c.batch);
    EXPECT_EQ(items.not_read, c.not_read);
  }
}

TEST_F(DropTest, OneDrawingReadsAsTheFileCommandAndAFolderAsTheDialogsRun) {
  open_with_sample_settings([](Settings& s) {
    s.file_save_mode = 1;
    s.file_save_mode2 = 0;  // one CSV file
  });
  drop({drawings() / "main_circuit.dxf"});
  EXPECT_EQ(rows_of(app_.ws.parts), rows_of(recognised({drawing("main_circuit.dxf")})));
  EXPECT_EQ(ListView_GetItemCount(list()), app_.ws.parts.row_count());
  EXPECT_EQ(app_.ws.current_file_name, drawing("main_circuit.dxf"));
  EXPECT_TRUE(app_.chosen_files.empty());

  // The folder's drawings sorted by name; the outputs keep the name they had.
  drop({drawings()});
  const std::vector<std::string> sorted = {
      drawing("control_circuit.dxf"), drawing("main_circuit.dxf"), drawing("operation_board.dxf")};
  EXPECT_EQ(app_.chosen_files, sorted);
  EXPECT_EQ(rows_of(app_.ws.parts), rows_of(recognised(sorted)));
  EXPECT_EQ(app_.ws.current_file_name, drawing("main_circuit.dxf"));
  EXPECT_EQ(files_in(drawings()), 3u);  // a plain drop writes nothing

  // Shift held: read, convert and write, named after the one drawing.
  drop({drawings() / "control_circuit.dxf"}, test::kShift);
  Workspace expected = app_.ws;
  expected.parts = recognised({drawing("control_circuit.dxf")});
  test::RecordingNotifier notifier;
  ASSERT_TRUE(run_passes(expected, notifier, {kAllPasses.begin(), kAllPasses.end()}));
  EXPECT_EQ(rows_of(app_.ws.parts), rows_of(expected.parts));
  EXPECT_FALSE(test::read_file(drawings() / "control_circuit.csv").empty());
}

TEST_F(DropTest, WhatIsNotADrawingIsNamedInOneMessage) {
  open_with_sample_settings();
  DialogDriver driver;
  driver.expect(L"ファイル追加操作", DialogDriver::press(IDOK));
  drop({dir_.path() / "notes.txt", drawings() / "main_circuit.dxf", dir_.path() / "plan.png"});
  ASSERT_TRUE(driver.all_handled());
  ASSERT_EQ(driver.seen().size(), 1u);
  EXPECT_EQ(driver.seen()[0].text, L"DXFファイルではないため読み込みません。\n" +
                                       wide_path(dir_.path() / "notes.txt") + L"\n" +
                                       wide_path(dir_.path() / "plan.png"));
  EXPECT_EQ(rows_of(app_.ws.parts), rows_of(recognised({drawing("main_circuit.dxf")})));

  // Ten names at most; the list stays when nothing is a drawing.
  const auto before = rows_of(app_.ws.parts);
  std::vector<fs::path> others;
  for (int i = 0; i < 12; ++i) others.push_back(dir_.path() / ("f" + std::to_string(i) + ".txt"));
  driver.expect(L"ファイル追加操作", DialogDriver::press(IDOK));
  drop(others);
  ASSERT_TRUE(driver.all_handled());
  const std::wstring text = driver.seen().back().text;
  EXPECT_EQ(std::count(text.begin(), text.end(), L'\n'), 11);
  EXPECT_EQ(text.substr(text.rfind(L'\n') + 1), L"ほか2個");
  EXPECT_EQ(rows_of(app_.ws.parts), before);
}

}  // namespace
}  // namespace korvane
