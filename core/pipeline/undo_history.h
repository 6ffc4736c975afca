// The undo history of the parts list: the list as it was before each command that changed it,
// with what the recognition report knew then, newest last, at most kUndoSteps of them.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>

#include "dxf/text_table.h"
#include "parts/parts_list.h"
#include "report/recognition_report.h"

namespace korvane {

struct Workspace;

// The list is at most 5000 rows of eight short cells, so twenty copies stay small.
inline constexpr std::size_t kUndoSteps = 20;

// What one undo puts back. A read also replaces the text table and names the outputs, so its step
// keeps both; the other commands leave them alone, and their steps do not hold them. Every step
// keeps the trail of its time: its groups index the text table of that time, and the passes it
// lists are those that made the list of that time.
struct UndoStep {
  PartsList parts;  // with its row ids, so the rows that come back are the rows they were
  std::optional<std::string> current_file_name;
  std::optional<TextTable> texts;
  ReportTrail trail;
};

// The step that undoes a command, taken before it runs; `trail` is the one the front end keeps
// for the recognition report.
UndoStep capture_undo_step(const Workspace& ws, const ReportTrail& trail, bool reading);

// Whether the command that ran since `before` was taken changed the list: a row's cells, the
// number of rows or, for a read, the text table. New row ids alone (a sort that moved nothing, the
// same drawing read again) are no change the user could undo.
bool list_changed(const UndoStep& before, const Workspace& ws);

class UndoHistory {
 public:
  // The newest step; the oldest is forgotten beyond kUndoSteps.
  void record(UndoStep before);
  bool can_undo() const { return !steps_.empty(); }
  // Whether the next undo puts a text table back (it undoes a read).
  bool newest_restores_texts() const { return !steps_.empty() && steps_.back().texts.has_value(); }
  std::size_t size() const { return steps_.size(); }
  // Puts the newest step back, its trail into `trail`, and forgets it. False when there is none.
  bool undo(Workspace& ws, ReportTrail& trail);

 private:
  std::deque<UndoStep> steps_;
};

}  // namespace korvane
