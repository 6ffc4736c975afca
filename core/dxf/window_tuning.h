// Proposes the recognition window (pt_x, pt_y) that a drawing's labels are drawn for: from the
// anchors and the texts stacked below them it finds the line pitch and the column alignment, then
// scores the windows that take one, two, ... lines of every stack with the groups recognition
// finds for them, and proposes the smallest of the best.
#pragma once

#include <array>
#include <cstddef>

#include "dxf/recognition.h"
#include "dxf/text_table.h"

namespace korvane {

class AnchorTest;
struct BasePartsStore;
struct ProhibitedWords;
struct Settings;

// What one window does to the anchors of a text table, counted on the groups recognition finds
// with it.
struct WindowFigures {
  int pt_x = 0;
  int pt_y = 0;
  std::size_t fields = 0;  // cells of the columns that take a line (text_number 2 to 10, no fixed
                           // text) that the groups fill
  std::size_t shared = 0;  // texts in the groups of two anchors or more
  std::size_t cut = 0;     // groups that hold another anchor text
  std::size_t empty = 0;   // anchors whose group holds nothing

  // Higher is better: the fields taken, less two for every conflict (a shared text, a cut group),
  // since one of the two cells it fills is wrong, and less one for every anchor with nothing.
  long long score() const;
  bool operator==(const WindowFigures&) const = default;
};

enum class TuningOutcome {
  Proposed,   // a window was found for the stacks
  NoAnchors,  // no text of the table is an anchor: nothing to tune on
  NoStacks,   // anchors, but no texts below them at a recurring pitch: the current values stay
};

struct WindowProposal {
  TuningOutcome outcome = TuningOutcome::NoAnchors;
  std::size_t anchors = 0;
  // The stacks as found (0 when none was).
  double first_drop = 0.0;  // from an anchor down to the first line below it
  double pitch = 0.0;       // from one line of a stack down to the next
  double offset = 0.0;      // x of the first lines less x of their anchor (the most common)
  double spread = 0.0;      // the largest horizontal distance of a stacked line from its anchor
  std::array<std::size_t, kGroupSize + 1> depths{};  // anchors by the lines stacked below them
  std::size_t candidates = 0;                        // windows scored
  WindowFigures proposed;  // the proposal; the current values unless the outcome is Proposed
  WindowFigures current;   // the settings' own pt_x and pt_y
};

// The proposal for `texts` with the anchors the two lists make and the columns of `settings`
// (the lines they take bound the depth of the window). Deterministic; O(n log n) in the texts.
WindowProposal propose_recognition_window(const TextTable& texts, const BasePartsStore& base_parts,
                                          const ProhibitedWords& words, const Settings& settings);

// The figures of one window, with the columns of `settings`.
WindowFigures measure_window(const TextTable& texts, const AnchorTest& anchor_test,
                             const Settings& settings, int pt_x, int pt_y);

}  // namespace korvane
