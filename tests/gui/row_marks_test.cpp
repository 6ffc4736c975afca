#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <functional>

#include "convert/passes.h"
#include "reading_commands.h"
#include "reading_fixture.h"

namespace korvane {
namespace {

using test::DialogDriver;

constexpr UINT kAllMarks = LVIS_SELECTED | LVIS_FOCUSED | LVIS_DROPHILITED;

// The marks of the parts list view, read from the control: the selected, the focused and the
// drop-highlighted rows.
struct Marks {
  std::vector<int> selected;
  int focused = -1;
  std::vector<int> highlighted;

  bool operator==(const Marks&) const = default;
};

Marks marks_of(HWND list) {
  Marks m;
  for (int row = -1; (row = ListView_GetNextItem(list, row, LVNI_SELECTED)) >= 0;) {
    m.selected.push_back(row);
  }
  m.focused = ListView_GetNextItem(list, -1, LVNI_FOCUSED);
  for (int row = 0; row < ListView_GetItemCount(list); ++row) {
    if (ListView_GetItemState(list, row, LVIS_DROPHILITED)) m.highlighted.push_back(row);
  }
  return m;
}

void PrintTo(const Marks& m, std::ostream* os) {
  *os << "selected " << ::testing::PrintToString(m.selected) << ", focused " << m.focused
      << ", highlighted " << ::testing::PrintToString(m.highlighted);
}

class RowMarksTest : public test::ReadingTest {
 protected:
  void SetUp() override {
    ReadingTest::SetUp();
    open_with_sample_settings();
    for (const std::string& name : test::kSampleDrawings) {
      app_.chosen_files.push_back(native(drawings() / name));
    }
    ASSERT_TRUE(win::read_chosen_dxf_files(app_));
    read_ = app_.ws;
  }

  // The list as read, and its row `row` clicked: selected, focused and highlighted.
  void read_and_click(int row) {
    app_.ws = read_;
    win::show_parts(app_);
    HWND lv = list();
    ListView_EnsureVisible(lv, row, FALSE);
    test::left_click(lv, test::middle_of_row(lv, row));
    ASSERT_TRUE(test::pump_until(
        [&] {
          return marks_of(lv) == Marks{{row}, row, {row}};
        },
        5000))
        << ::testing::PrintToString(marks_of(lv));
  }

  Workspace read_;
};

// Every command that builds the list anew leaves no row marked: the rows that carried the marks
// are gone.
TEST_F(RowMarksTest, CommandsThatRebuildTheListLeaveNoRowMarked) {
  const std::string drawing = native(drawings() / "main_circuit.dxf");
  struct Case {
    const char* name;
    std::function<void()> run;
  };
  const Case cases[] = {
      {"merge", [&] { command(IDM_MERGE_QUANTITIES); }},
      {"sort", [&] { command(IDM_SORT_PARTS); }},
      {"full conversion", [&] { command(IDM_CONVERT_ALL); }},
      {"delete all", [&] { command(IDM_DELETE_ALL); }},
      {"single read",
       [&] {
         DialogDriver driver;
         driver.expect(L"DXFﾌｧｲﾙ(dxf)の読込", DialogDriver::enter_file_name(win::widen(drawing)));
         command(IDM_READ_DXF_FILE);
         EXPECT_TRUE(driver.all_handled());
       }},
      {"batch read", [&] { EXPECT_TRUE(win::read_chosen_dxf_files(app_)); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    read_and_click(3);
    c.run();
    EXPECT_EQ(marks_of(list()), Marks{});
    EXPECT_EQ(ListView_GetItemCount(list()), app_.ws.parts.row_count());
  }
}

// Duplicate removal and completion delete or add single rows: the marked row keeps its marks
// wherever it goes.
TEST_F(RowMarksTest, MarksStayOnTheRowThroughDedupeAndCompletion) {
  struct Case {
    int command;
    Pass pass;
    bool moves;  // the pass deletes rows above the marked one
  };
  for (const Case& c : {Case{IDM_REMOVE_DUPLICATES, Pass::Dedupe, true},
                        Case{IDM_COMPLETE_NAMES, Pass::Complete, false}}) {
    SCOPED_TRACE(pass_name(c.pass));
    Workspace expected = read_;
    test::RecordingNotifier notifier;
    ASSERT_TRUE(run_passes(expected, notifier, {c.pass}));
    // The last row of the list as read that the pass keeps, and where the pass puts it.
    const std::vector<RowId>& before = read_.parts.row_ids();
    const std::vector<RowId>& after = expected.parts.row_ids();
    int from = static_cast<int>(before.size()) - 1;
    auto at = after.end();
    for (; from >= 0; --from) {
      at = std::find(after.begin(), after.end(), before[static_cast<std::size_t>(from)]);
      if (at != after.end()) break;
    }
    ASSERT_GE(from, 0);
    const int to = static_cast<int>(at - after.begin());
    EXPECT_EQ(to != from, c.moves) << from << " -> " << to;

    read_and_click(from);
    command(c.command);
    EXPECT_EQ(app_.ws.parts.rows(), expected.parts.rows());
    EXPECT_EQ(marks_of(list()), (Marks{{to}, to, {to}}));
  }
}

}  // namespace
}  // namespace korvane
