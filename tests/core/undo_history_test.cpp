// The undo history of the parts list: which changes make a step, what a step puts back, and how
// many steps are kept.
#include <gtest/gtest.h>

#include <functional>

#include "pipeline/undo_history.h"
#include "workspace.h"

namespace korvane {
namespace {

PartsRow row_of(std::string tag) { return {std::move(tag), "", "", "", "", "", "", ""}; }

TEST(UndoHistory, AStepIsRecordedForChangesAndPutsBackWhatTheCommandChanged) {
  struct Case {
    bool reading;
    std::function<void(Workspace&)> command;
    bool changed;
    std::string name_after_undo;
  };
  const Case cases[] = {
      {false, [](Workspace& ws) { ws.parts.delete_row(0); }, true, "a.dxf"},
      {false, [](Workspace& ws) { ws.parts.assign(ws.parts.rows()); }, false, ""},  // new ids only
      {false, [](Workspace& ws) { ws.current_file_name = "b.csv"; }, false, ""},    // an output
      // A cell edit, then an output names another file: the undo leaves that name.
      {false,
       [](Workspace& ws) {
         ws.parts.set_cell(1, 2, "x");
         ws.current_file_name = "b.csv";
       },
       true, "b.csv"},
      {true,
       [](Workspace& ws) {
         ws.texts = {{5.0, 6.0, "INV1"}};
         ws.parts.assign({row_of("INV1")});
         ws.current_file_name = "b.dxf";
       },
       true, "a.dxf"},
      {true,
       [](Workspace& ws) {
         ws.texts.push_back({7.0, 8.0, "NOTE"});
       },
       true, "a.dxf"},
      {true, [](Workspace& ws) { ws.current_file_name.clear(); }, false, ""},  // dialog cancelled
  };
  for (const Case& c : cases) {
    Workspace ws;
    for (const char* tag : {"MC1", "PB1", "CR1"}) ws.parts.append_row(row_of(tag));
    ws.texts = {{1.0, 2.0, "MC1"}};
    ws.current_file_name = "a.dxf";
    const Workspace original = ws;
    ReportTrail trail;
    trail.pt_x = 7;  // the trail of the read before the command
    UndoStep before = capture_undo_step(ws, trail, c.reading);
    c.command(ws);
    trail = ReportTrail{};
    EXPECT_EQ(list_changed(before, ws), c.changed);
    if (!c.changed) continue;
    UndoHistory history;
    history.record(std::move(before));
    ASSERT_TRUE(history.undo(ws, trail));
    EXPECT_FALSE(history.can_undo());
    EXPECT_EQ(ws.parts.rows(), original.parts.rows());
    EXPECT_EQ(ws.parts.row_ids(), original.parts.row_ids());
    EXPECT_EQ(ws.texts, original.texts);
    EXPECT_EQ(ws.current_file_name, c.name_after_undo);
    EXPECT_EQ(trail.pt_x, 7);  // the trail comes back with the list
  }
}

TEST(UndoHistory, KeepsTheNewestTwentyStepsAndUndoesThemNewestFirst) {
  Workspace ws;
  ReportTrail trail;
  UndoHistory history;
  EXPECT_FALSE(history.undo(ws, trail));
  for (int i = 0; i < 25; ++i) {
    history.record(capture_undo_step(ws, trail, false));
    ws.parts.append_row(row_of("R" + std::to_string(i)));
  }
  for (int undone = 1; undone <= 20; ++undone) {
    ASSERT_TRUE(history.undo(ws, trail));
    EXPECT_EQ(ws.parts.row_count(), 25 - undone);
  }
  EXPECT_FALSE(history.can_undo());  // the five oldest steps are gone
}

}  // namespace
}  // namespace korvane
