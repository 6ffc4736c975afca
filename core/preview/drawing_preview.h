// What every text of a read became, for the drawing preview (the SVG of korvane-cli preview and
// the window program's preview window): the anchors and their groups as recognition found them,
// the window each group was taken from, and the findings of the recognition report.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "dxf/recognition.h"
#include "dxf/text_table.h"
#include "report/recognition_report.h"

namespace korvane {

struct Workspace;

enum class TextClass : std::uint8_t {
  Other,   // neither an anchor nor in a group (a text pushed out of a full group included)
  Field,   // a member of an anchor's group
  Anchor,  // a recognised tag number
};

// The colours of the picture (0xRRGGBB), the same in the SVG and in the window.
inline constexpr std::uint32_t kAnchorColour = 0xC00000;   // red, bold
inline constexpr std::uint32_t kFieldColour = 0x0050C0;    // blue
inline constexpr std::uint32_t kOtherColour = 0x808080;    // grey
inline constexpr std::uint32_t kFindingColour = 0xFFB000;  // an amber halo behind the text
inline constexpr std::uint32_t kWindowColour = 0xE08080;   // the outline of an anchor's window
inline constexpr std::uint32_t kLinkColour = 0x80A0E0;     // from a member to its anchor

// A recognition window: left < x < right, bottom < y < top.
struct GroupWindow {
  double left = 0.0;
  double right = 0.0;
  double bottom = 0.0;
  double top = 0.0;
};

// A rectangle of the drawing that holds what is drawn; empty when nothing is placed.
struct PreviewExtent {
  double left = 0.0;
  double bottom = 0.0;
  double right = 0.0;
  double top = 0.0;
  bool empty = true;

  double width() const { return right - left; }
  double height() const { return top - bottom; }
};

struct PreviewCounts {
  std::size_t anchors = 0;
  std::size_t fields = 0;
  std::size_t others = 0;
  std::size_t with_findings = 0;  // texts that carry at least one finding
  std::size_t unplaced = 0;       // texts without a usable position
};

struct DrawingPreview {
  int pt_x = 0;  // the window the groups were taken with
  int pt_y = 0;
  bool as_read = true;  // the groups are the read's own (false: searched again for a new window)
  std::vector<RecognisedGroup> groups;  // one per anchor, in table order
  std::vector<TextClass> classes;       // one per text of the table
  std::vector<Finding> findings;        // ordered by the text they are about
  double text_height = 1.0;             // drawing units: how tall the texts are drawn

  GroupWindow window(const TextTable& texts, const RecognisedGroup& group) const;
  // The findings about text `at` (empty for most).
  std::span<const Finding> findings_of(std::size_t at) const;
};

// Texts far beyond any drawing (or NaN) have no place in the picture; they are counted, not drawn.
bool is_placed(const TextRecord& text);

// The classes of `texts` from the groups recognition found with the window (pt_x, pt_y). An anchor
// that also lies in another anchor's window stays an anchor.
DrawingPreview classify_texts(const TextTable& texts, std::vector<RecognisedGroup> groups, int pt_x,
                              int pt_y);

// The preview of the read `trail` describes (ws.texts is its table). While ws.settings holds the
// window the read used, the groups are those of the read and the findings those of the report as
// the parts list stands now. With another window the same text table is searched again with it
// (and the reference lists now in ws), without touching the parts list, and the findings are those
// recognition alone decides for that window.
DrawingPreview make_drawing_preview(const Workspace& ws, const ReportTrail& trail);
// The same with the window (pt_x, pt_y) in place of the settings' one: a window the user looks at
// before storing it.
DrawingPreview make_drawing_preview(const Workspace& ws, const ReportTrail& trail, int pt_x,
                                    int pt_y);

PreviewCounts count_classes(const TextTable& texts, const DrawingPreview& preview);

// Every placed text (an estimate of its width included) and every window, without a margin.
PreviewExtent preview_extent(const TextTable& texts, const DrawingPreview& preview);

// The estimated width of a text drawn `height` tall: half a height per byte (a Shift-JIS
// double-byte character is as wide as it is tall).
double text_width(const TextRecord& text, double height);

}  // namespace korvane
