#include "pipeline/undo_history.h"

#include "workspace.h"

namespace korvane {

UndoStep capture_undo_step(const Workspace& ws, const ReportTrail& trail, bool reading) {
  UndoStep step{ws.parts, std::nullopt, std::nullopt, trail};
  if (reading) {
    step.current_file_name = ws.current_file_name;
    step.texts = ws.texts;
  }
  return step;
}

bool list_changed(const UndoStep& before, const Workspace& ws) {
  return before.parts.rows() != ws.parts.rows() || (before.texts && *before.texts != ws.texts);
}

void UndoHistory::record(UndoStep before) {
  steps_.push_back(std::move(before));
  while (steps_.size() > kUndoSteps) steps_.pop_front();
}

bool UndoHistory::undo(Workspace& ws, ReportTrail& trail) {
  if (steps_.empty()) return false;
  UndoStep& step = steps_.back();
  ws.parts = std::move(step.parts);
  if (step.current_file_name) ws.current_file_name = std::move(*step.current_file_name);
  if (step.texts) ws.texts = std::move(*step.texts);
  trail = std::move(step.trail);
  steps_.pop_back();
  return true;
}

}  // namespace korvane
