#include <gtest/gtest.h>

#include "convert/passes.h"
#include "dropped_files.h"
#include "habits_fixture.h"
#include "reading_fixture.h"

namespace korvane {
namespace {

using test::DialogDriver;
namespace fs = std::filesystem;

std::wstring wide(const fs::path& path) {
  return path.lexically_normal().make_preferred().wstring();
}

class DropTest : public test::ReadingTest {
 protected:
  void drop(const std::vector<fs::path>& paths, unsigned modifiers = test::kNoModifier) {
    std::vector<std::wstring> dropped;
    for (const fs::path& path : paths) dropped.push_back(wide(path));
    test::hold(modifiers);
    SendMessageW(main_, WM_DROPFILES, reinterpret_cast<WPARAM>(test::make_hdrop(dropped)), 0);
    test::hold(test::kNoModifier);
  }
};

TEST_F(DropTest, DropsAreSortedIntoDrawingsAndWhatIsNotRead) {
  const fs::path d = dir_.path(), mixed = d / "mixed";
  fs::create_directories(mixed / "sub.dxf");
  for (const char* name : {"b.DXF", "A.dxf", "c.dxf.bak", "sub.dxf/deep.dxf"}) {
    test::write_file(mixed / name, "");
  }
  fs::create_directory(d / "empty");
  struct Case {
    std::vector<fs::path> dropped, drawings;
    bool batch;
    std::vector<std::wstring> not_read;
  };
  const Case cases[] = {
      {{d / "x.dxf"}, {d / "x.dxf"}, false, {}},
      {{d / "z.dxf", d / "a.Dxf"}, {d / "z.dxf", d / "a.Dxf"}, true, {}},
      {{d / "x.dxf", mixed}, {d / "x.dxf", mixed / "A.dxf", mixed / "b.DXF"}, true, {}},
      {{d / "n.txt", d / "y.DXF", d / "empty"},
       {d / "y.DXF"},
       true,
       {wide(d / "n.txt"), wide(d / "empty") + L"\\"}},
  };
  for (const Case& c : cases) {
    std::vector<std::wstring> dropped, drawings;
    for (const fs::path& path : c.dropped) dropped.push_back(wide(path));
    for (const fs::path& path : c.drawings) drawings.push_back(wide(path));
    const win::DroppedItems items = win::sort_out_dropped(dropped);
    EXPECT_EQ(items.drawings, drawings);
    EXPECT_EQ(items.batch, c.batch);
    EXPECT_EQ(items.not_read, c.not_read);
  }
}

TEST_F(DropTest, ADrawingReadsAsTheFileCommandAFolderAsTheDialogsRunShiftConverts) {
  open_with_sample_settings([](Settings& s) { s.file_save_mode = 1; });
  const std::string main_circuit = native(drawings() / "main_circuit.dxf");
  const std::string control = native(drawings() / "control_circuit.dxf");
  DialogDriver driver;
  driver.expect(L"ファイル追加操作", DialogDriver::press(IDOK));
  drop({dir_.path() / "notes.txt", drawings() / "main_circuit.dxf"});
  ASSERT_TRUE(driver.all_handled());
  EXPECT_EQ(driver.seen()[0].text,
            L"DXFファイルではないため読み込みません。\n" + wide(dir_.path() / "notes.txt"));
  EXPECT_EQ(rows_of(app_.ws.parts), rows_of(recognised({main_circuit})));
  EXPECT_EQ(app_.ws.current_file_name, main_circuit);
  driver.expect(L"ファイル追加操作", DialogDriver::press(IDOK));
  drop(std::vector<fs::path>(12, dir_.path() / "f.txt"));  // ten names at most
  ASSERT_TRUE(driver.all_handled());
  const std::wstring names = driver.seen()[1].text;
  EXPECT_EQ(names.substr(names.rfind(L'\n') + 1), L"ほか2個");

  drop({drawings()});  // sorted by name; the output name stays
  const std::vector<std::string> sorted = {control, main_circuit,
                                           native(drawings() / "operation_board.dxf")};
  EXPECT_EQ(app_.chosen_files, sorted);
  EXPECT_EQ(rows_of(app_.ws.parts), rows_of(recognised(sorted)));
  EXPECT_EQ(app_.ws.current_file_name, main_circuit);
  EXPECT_FALSE(fs::exists(drawings() / "main_circuit.csv"));  // a plain drop writes nothing

  drop({drawings() / "control_circuit.dxf"}, test::kShift);
  Workspace expected = app_.ws;
  expected.parts = recognised({control});
  test::RecordingNotifier notifier;
  ASSERT_TRUE(run_passes(expected, notifier, {kAllPasses.begin(), kAllPasses.end()}));
  EXPECT_EQ(rows_of(app_.ws.parts), rows_of(expected.parts));
  EXPECT_FALSE(test::read_file(drawings() / "control_circuit.csv").empty());
}

}  // namespace
}  // namespace korvane
