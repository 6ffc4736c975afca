// The undo history of the parts list: which commands make a step, what a step puts back, and how
// many steps are kept.
#include <gtest/gtest.h>

#include <functional>

#include "parts/undo_history.h"
#include "test_support.h"
#include "workspace.h"

namespace korvane {
namespace {

PartsRow row_of(std::string tag) {
  PartsRow row;
  row[0] = std::move(tag);
  return row;
}

Workspace workspace_with_rows() {
  Workspace ws;
  for (const char* tag : {"MC1", "PB1", "CR1"}) ws.parts.append_row(row_of(tag));
  ws.texts = {{1.0, 2.0, "MC1"}, {3.0, 4.0, "PB1"}};
  ws.current_file_name = "C:\\drawings\\a.dxf";
  return ws;
}

TEST(UndoHistory, AStepIsRecordedForChangesAndPutsBackWhatTheCommandChanged) {
  struct Case {
    const char* label;
    bool reading;
    std::function<void(Workspace&)> command;
    bool changed;
    std::string name_after_undo;
  };
  const std::string name = "C:\\drawings\\a.dxf";
  const std::vector<Case> cases = {
      {"cell edit", false, [](Workspace& ws) { ws.parts.set_cell(1, 2, "x"); }, true, name},
      {"row deleted", false, [](Workspace& ws) { ws.parts.delete_row(0); }, true, name},
      {"every row deleted", false, [](Workspace& ws) { ws.parts.delete_all(); }, true, name},
      {"rows rebuilt the same (new ids only)", false,
       [](Workspace& ws) { ws.parts.assign(ws.parts.rows()); }, false, name},
      {"an output renames, the list stays", false,
       [](Workspace& ws) { ws.current_file_name = "C:\\out\\b.csv"; }, false, name},
      {"a row edit, then an output names another file", false,
       [](Workspace& ws) {
         ws.parts.set_cell(0, 0, "MC2");
         ws.current_file_name = "C:\\out\\b.csv";
       },
       true, "C:\\out\\b.csv"},
      {"read", true,
       [](Workspace& ws) {
         ws.texts = {{5.0, 6.0, "INV1"}};
         ws.parts.assign({row_of("INV1")});
         ws.current_file_name = "C:\\drawings\\b.dxf";
       },
       true, name},
      {"read giving the same rows from other texts", true,
       [](Workspace& ws) {
         ws.texts.push_back({7.0, 8.0, "NOTE"});
         ws.parts.assign(ws.parts.rows());
       },
       true, name},
      {"read dialog cancelled: the name alone is cleared", true,
       [](Workspace& ws) { ws.current_file_name.clear(); }, false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Workspace ws = workspace_with_rows();
    const Workspace original = ws;
    UndoStep before = capture_undo_step(ws, c.reading);
    c.command(ws);
    EXPECT_EQ(list_changed(before, ws), c.changed);
    if (!c.changed) continue;
    UndoHistory history;
    history.record(std::move(before));
    ASSERT_TRUE(history.can_undo());
    ASSERT_TRUE(history.undo(ws));
    EXPECT_FALSE(history.can_undo());
    EXPECT_EQ(ws.parts.rows(), original.parts.rows());
    // The rows that come back are the rows they were, so the list view's marks find them.
    EXPECT_EQ(ws.parts.row_ids(), original.parts.row_ids());
    EXPECT_EQ(ws.texts, original.texts);
    EXPECT_EQ(ws.current_file_name, c.name_after_undo);
  }
}

TEST(UndoHistory, KeepsTheNewestTwentyStepsAndUndoesThemNewestFirst) {
  Workspace ws;
  UndoHistory history;
  EXPECT_FALSE(history.undo(ws));
  for (int i = 0; i < 25; ++i) {
    UndoStep before = capture_undo_step(ws, false);
    ws.parts.append_row(row_of("R" + std::to_string(i)));
    ASSERT_TRUE(list_changed(before, ws));
    history.record(std::move(before));
  }
  EXPECT_EQ(history.size(), kUndoSteps);
  int undone = 0;
  while (history.undo(ws)) {
    ++undone;
    EXPECT_EQ(ws.parts.row_count(), 25 - undone);
  }
  EXPECT_EQ(undone, 20);
  EXPECT_EQ(ws.parts.row_count(), 5);  // the five oldest steps are gone
}

}  // namespace
}  // namespace korvane
