#include "preview/drawing_preview.h"

#include <algorithm>
#include <cmath>

#include "dxf/anchor_test.h"
#include "workspace.h"

namespace korvane {

namespace {

// Beyond this no drawing places a text (10^15 mm is a billion kilometres); keeping coordinates
// below it keeps every sum of the picture finite.
constexpr double kFarthest = 1e15;

// Texts are drawn this part of the usual distance from an anchor to the text below it, which is
// about one line of the drawing's lettering.
constexpr double kHeightPerLine = 0.7;
// Without a group to learn the line distance from, this part of the picture's larger side.
constexpr double kHeightPerExtent = 1.0 / 150.0;

bool in_reach(double v) { return std::isfinite(v) && std::fabs(v) <= kFarthest; }

double line_distance(const TextTable& texts, const std::vector<RecognisedGroup>& groups) {
  std::vector<double> gaps;
  for (const RecognisedGroup& g : groups) {
    if (g.size == 0) continue;
    const double gap = texts[g.anchor].y - texts[g.members[0]].y;
    if (gap > 0 && std::isfinite(gap)) gaps.push_back(gap);
  }
  if (gaps.empty()) return 0.0;
  const auto middle = gaps.begin() + static_cast<std::ptrdiff_t>(gaps.size() / 2);
  std::nth_element(gaps.begin(), middle, gaps.end());
  return *middle;
}

// The findings in the order of the texts they are about (the report's own order, kept stable).
std::vector<Finding> by_text(std::vector<Finding> findings) {
  const auto before = [](const Finding& a, const Finding& b) { return a.at < b.at; };
  if (!std::is_sorted(findings.begin(), findings.end(), before)) {
    std::stable_sort(findings.begin(), findings.end(), before);
  }
  return findings;
}

}  // namespace

bool is_placed(const TextRecord& text) { return in_reach(text.x) && in_reach(text.y); }

double text_width(const TextRecord& text, double height) {
  return 0.5 * height * static_cast<double>(table_text(text).size());
}

GroupWindow DrawingPreview::window(const TextTable& texts, const RecognisedGroup& group) const {
  const TextRecord& a = texts[group.anchor];
  return {a.x - pt_x, a.x + pt_x, a.y - pt_y, a.y};
}

std::span<const Finding> DrawingPreview::findings_of(std::size_t at) const {
  const auto first = std::partition_point(findings.begin(), findings.end(),
                                          [at](const Finding& f) { return f.at < at; });
  auto last = first;
  while (last != findings.end() && last->at == at) ++last;
  return {first, last};
}

DrawingPreview classify_texts(const TextTable& texts, std::vector<RecognisedGroup> groups, int pt_x,
                              int pt_y) {
  DrawingPreview preview;
  preview.pt_x = pt_x;
  preview.pt_y = pt_y;
  preview.classes.assign(texts.size(), TextClass::Other);
  for (const RecognisedGroup& g : groups) {
    for (int k = 0; k < g.size; ++k) {
      TextClass& c = preview.classes[g.members[static_cast<std::size_t>(k)]];
      if (c == TextClass::Other) c = TextClass::Field;
    }
  }
  for (const RecognisedGroup& g : groups) preview.classes[g.anchor] = TextClass::Anchor;
  preview.groups = std::move(groups);

  const double line = line_distance(texts, preview.groups);
  if (line > 0) {
    preview.text_height = kHeightPerLine * line;
  } else {
    const PreviewExtent extent = preview_extent(texts, preview);
    const double side = std::max(extent.width(), extent.height());
    if (!extent.empty && side > 0) preview.text_height = kHeightPerExtent * side;
  }
  return preview;
}

DrawingPreview make_drawing_preview(const Workspace& ws, const ReportTrail& trail) {
  return make_drawing_preview(ws, trail, ws.settings.pt_x, ws.settings.pt_y);
}

DrawingPreview make_drawing_preview(const Workspace& ws, const ReportTrail& trail, int pt_x,
                                    int pt_y) {
  if (!trail.recorded) return classify_texts(ws.texts, {}, pt_x, pt_y);
  if (pt_x == trail.pt_x && pt_y == trail.pt_y) {
    DrawingPreview preview = classify_texts(ws.texts, trail.groups, pt_x, pt_y);
    preview.findings = by_text(make_recognition_report(ws, trail).findings);
    return preview;
  }
  ReportTrail again;
  again.groups = find_groups(ws.texts, AnchorTest(ws.base_parts, ws.prohibited_words), pt_x, pt_y);
  note_recognition(again, ws, trail.drawings, pt_x, pt_y);
  DrawingPreview preview = classify_texts(ws.texts, std::move(again.groups), pt_x, pt_y);
  preview.as_read = false;
  preview.findings = by_text(text_findings_of(ws, again));
  return preview;
}

PreviewCounts count_classes(const TextTable& texts, const DrawingPreview& preview) {
  PreviewCounts counts;
  for (std::size_t i = 0; i < preview.classes.size(); ++i) {
    switch (preview.classes[i]) {
      case TextClass::Anchor:
        ++counts.anchors;
        break;
      case TextClass::Field:
        ++counts.fields;
        break;
      case TextClass::Other:
        ++counts.others;
        break;
    }
    if (i < texts.size() && !is_placed(texts[i])) ++counts.unplaced;
  }
  for (std::size_t k = 0; k < preview.findings.size(); ++k) {
    if (k == 0 || preview.findings[k].at != preview.findings[k - 1].at) ++counts.with_findings;
  }
  return counts;
}

PreviewExtent preview_extent(const TextTable& texts, const DrawingPreview& preview) {
  PreviewExtent e;
  const auto take = [&e](double left, double bottom, double right, double top) {
    if (e.empty) {
      e = {left, bottom, right, top, false};
      return;
    }
    e.left = std::min(e.left, left);
    e.bottom = std::min(e.bottom, bottom);
    e.right = std::max(e.right, right);
    e.top = std::max(e.top, top);
  };
  const double h = preview.text_height;
  for (const TextRecord& t : texts) {
    if (is_placed(t)) take(t.x, t.y, t.x + text_width(t, h), t.y + h);
  }
  for (const RecognisedGroup& g : preview.groups) {
    if (!is_placed(texts[g.anchor])) continue;
    const GroupWindow w = preview.window(texts, g);
    take(w.left, w.bottom, w.right, w.top);
  }
  return e;
}

}  // namespace korvane
