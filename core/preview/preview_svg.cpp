#include "preview/preview_svg.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <unordered_map>

#include "dxf/anchor_test.h"
#include "io/file_io.h"
#include "notify.h"
#include "output/output_guard.h"
#include "output/parts_list_writer.h"
#include "preview/drawing_preview.h"
#include "text/encoding.h"
#include "text/messages.h"

namespace korvane {

namespace {

// The margin around the picture: this part of its larger side, and at least two text heights.
constexpr double kMarginPerSide = 0.05;
constexpr double kMarginTextHeights = 2.0;
// The legend's lettering: this part of the picture's width, in a band above it.
constexpr double kLegendPerWidth = 1.0 / 70.0;
constexpr double kLegendBandHeights = 2.2;
// The halo of a text with findings, in text heights.
constexpr double kHaloPerHeight = 0.3;

// Lookups by string_view in a map of strings.
struct TextHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

// The document, grown by appending.
class SvgText {
 public:
  explicit SvgText(std::size_t expected) { out_.reserve(expected); }

  SvgText& operator<<(std::string_view s) {
    out_ += s;
    return *this;
  }
  SvgText& operator<<(char c) {
    out_ += c;
    return *this;
  }
  // Shortest form that reads back as the same double.
  SvgText& operator<<(double v) {
    char buffer[32];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, v);
    out_.append(buffer, r.ptr);
    return *this;
  }
  SvgText& operator<<(std::size_t v) {
    char buffer[24];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, v);
    out_.append(buffer, r.ptr);
    return *this;
  }
  SvgText& colour(std::uint32_t rgb) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%06X", static_cast<unsigned>(rgb & 0xFFFFFF));
    out_ += buffer;
    return *this;
  }
  // A Shift-JIS text as UTF-8 character data or attribute value. Characters XML cannot carry
  // (control characters) become U+FFFD. Texts beyond ASCII repeat (part names, the details of
  // findings), so each is converted once.
  SvgText& escaped(std::string_view sjis) {
    const bool ascii = std::all_of(sjis.begin(), sjis.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii) {
      append_escaped(sjis);
      return *this;
    }
    auto known = utf8_.find(sjis);
    if (known == utf8_.end()) {
      if (utf8_.size() >= kMostRemembered) utf8_.clear();
      known = utf8_.emplace(std::string(sjis), sjis_to_utf8(sjis)).first;
    }
    append_escaped(known->second);
    return *this;
  }

  std::string take() { return std::move(out_); }

 private:
  void append_escaped(std::string_view utf8) {
    std::size_t plain = 0;  // bytes before `i` not written yet
    for (std::size_t i = 0; i < utf8.size(); ++i) {
      const char c = utf8[i];
      std::string_view replacement;
      switch (c) {
        case '&':
          replacement = "&amp;";
          break;
        case '<':
          replacement = "&lt;";
          break;
        case '>':
          replacement = "&gt;";
          break;
        case '"':
          replacement = "&quot;";
          break;
        case '\'':
          replacement = "&apos;";
          break;
        default:
          if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') continue;
          replacement = "\xEF\xBF\xBD";
      }
      out_.append(utf8.data() + plain, i - plain);
      out_ += replacement;
      plain = i + 1;
    }
    out_.append(utf8.data() + plain, utf8.size() - plain);
  }

  static constexpr std::size_t kMostRemembered = 1 << 16;
  std::unordered_map<std::string, std::string, TextHash, std::equal_to<>> utf8_;
  std::string out_;
};

std::string_view class_name(TextClass c) {
  switch (c) {
    case TextClass::Anchor:
      return "anchor";
    case TextClass::Field:
      return "field";
    case TextClass::Other:
      return "other";
  }
  return "other";
}

void write_style(SvgText& svg, double height, double legend) {
  svg << "<style>\n"
      << "text{font-family:IPAGothic,\"MS Gothic\",sans-serif;font-size:" << height
      << "px;white-space:pre}\n"
      << ".anchor{fill:";
  svg.colour(kAnchorColour) << ";font-weight:bold}\n.field{fill:";
  svg.colour(kFieldColour) << "}\n.other{fill:";
  svg.colour(kOtherColour) << "}\ntext.finding{stroke:";
  svg.colour(kFindingColour) << ";stroke-width:" << kHaloPerHeight * height
                             << "px;stroke-linejoin:round;paint-order:stroke}\n"
                             << ".window{fill:none;stroke:";
  svg.colour(kWindowColour) << ";stroke-width:1px;vector-effect:non-scaling-stroke}\n.link{stroke:";
  svg.colour(kLinkColour) << ";stroke-width:0.5px;vector-effect:non-scaling-stroke}\n"
                          << ".legend text{fill:#000000;font-size:" << legend << "px}\n"
                          << "rect.key.finding{fill:";
  svg.colour(kFindingColour) << "}\n</style>\n";
}

// One entry of the legend at x: a key in the style of `key_class`, then the label.
double legend_entry(SvgText& svg, double x, double baseline, double size,
                    std::string_view key_class, std::string_view label_sjis) {
  svg << "<rect class=\"key " << key_class << "\" x=\"" << x << "\" y=\"" << baseline - 0.8 * size
      << "\" width=\"" << size << "\" height=\"" << 0.8 * size << "\"/>";
  svg << "<text x=\"" << x + 1.4 * size << "\" y=\"" << baseline << "\">";
  svg.escaped(label_sjis) << "</text>\n";
  // Half the size per byte, as the label is Shift-JIS, and room before the next entry.
  return x + 1.4 * size + 0.5 * size * static_cast<double>(label_sjis.size()) + 1.5 * size;
}

std::string with_count(std::string_view label, std::size_t count) {
  return std::string(label) + " " + std::to_string(count);
}

void write_legend(SvgText& svg, const DrawingPreview& preview, const PreviewCounts& counts,
                  double left, double baseline, double size) {
  svg << "<g class=\"legend\">\n";
  double x = left;
  x = legend_entry(svg, x, baseline, size, "anchor",
                   with_count(msg::kPreviewLegendAnchor, counts.anchors));
  x = legend_entry(svg, x, baseline, size, "field",
                   with_count(msg::kPreviewLegendField, counts.fields));
  x = legend_entry(svg, x, baseline, size, "other",
                   with_count(msg::kPreviewLegendOther, counts.others));
  x = legend_entry(svg, x, baseline, size, "finding",
                   with_count(msg::kPreviewLegendFinding, counts.with_findings));
  x = legend_entry(svg, x, baseline, size, "window",
                   std::string(msg::kPreviewLegendWindow) + " pt_x=" +
                       std::to_string(preview.pt_x) + " pt_y=" + std::to_string(preview.pt_y));
  if (counts.unplaced > 0) {
    legend_entry(svg, x, baseline, size, "other",
                 with_count(msg::kPreviewLegendUnplaced, counts.unplaced));
  }
  svg << "</g>\n";
}

void write_text(SvgText& svg, const TextRecord& t, TextClass c, bool placed,
                std::span<const Finding> findings) {
  svg << "<text class=\"" << class_name(c);
  if (!findings.empty()) svg << " finding";
  svg << '"';
  if (placed) svg << " x=\"" << t.x << "\" y=\"" << 0.0 - t.y << '"';
  svg << " data-x=\"" << t.x << "\" data-y=\"" << t.y << "\">";
  if (!findings.empty()) {
    svg << "<title>";
    for (std::size_t k = 0; k < findings.size(); ++k) {
      const Finding& f = findings[k];
      if (k > 0) svg << '\n';
      svg.escaped(finding_label(f.kind)) << " (" << finding_key(f.kind) << "): ";
      svg.escaped(f.detail);
    }
    svg << "</title>";
  }
  svg.escaped(table_text(t)) << "</text>\n";
}

// The texts with `placed` as given, in table order, each with its findings (which are in the order
// of the texts).
void write_texts(SvgText& svg, const TextTable& texts, const DrawingPreview& preview,
                 const std::vector<char>& placed, bool which) {
  const std::vector<Finding>& findings = preview.findings;
  std::size_t f = 0;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    while (f < findings.size() && findings[f].at < i) ++f;
    std::size_t end = f;
    while (end < findings.size() && findings[end].at == i) ++end;
    if ((placed[i] != 0) == which) {
      write_text(svg, texts[i], preview.classes[i], which,
                 std::span<const Finding>(findings.data() + f, end - f));
    }
    f = end;
  }
}

// About how long the document will be, so that it is not copied as it grows.
std::size_t expected_size(const TextTable& texts, const DrawingPreview& preview) {
  constexpr std::size_t kPerText = 110;
  constexpr std::size_t kPerWindow = 100;
  constexpr std::size_t kPerLink = 70;
  constexpr std::size_t kPerFinding = 40;
  std::size_t size = 8192 + texts.size() * kPerText + preview.groups.size() * kPerWindow;
  for (const RecognisedGroup& g : preview.groups) size += g.size * kPerLink;
  // Shift-JIS double-byte characters take three bytes in UTF-8.
  for (const Finding& f : preview.findings) size += kPerFinding + f.detail.size() * 3 / 2;
  return size;
}

}  // namespace

std::string format_preview_svg(const TextTable& texts, const DrawingPreview& preview) {
  const double h = preview.text_height;
  PreviewExtent e = preview_extent(texts, preview);
  if (e.empty) e = {0.0, 0.0, 0.0, 0.0, false};
  const double margin =
      std::max(kMarginPerSide * std::max(e.width(), e.height()), kMarginTextHeights * h);
  const double width = e.width() + 2 * margin;
  const double legend = std::max(kLegendPerWidth * width, h);
  const double band = kLegendBandHeights * legend;
  // SVG coordinates: x as in the drawing, y = -drawing y.
  const double view_left = e.left - margin;
  const double view_top = 0.0 - (e.top + margin) - band;
  const double view_height = e.height() + 2 * margin + band;

  std::vector<char> placed(texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i) placed[i] = is_placed(texts[i]) ? 1 : 0;

  SvgText svg(expected_size(texts, preview));
  svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"" << view_left << ' ' << view_top
      << ' ' << width << ' ' << view_height << "\">\n";
  write_style(svg, h, legend);
  svg << "<rect x=\"" << view_left << "\" y=\"" << view_top << "\" width=\"" << width
      << "\" height=\"" << view_height << "\" fill=\"#FFFFFF\"/>\n";

  svg << "<g class=\"windows\">\n";
  for (const RecognisedGroup& g : preview.groups) {
    if (!placed[g.anchor]) continue;
    const GroupWindow w = preview.window(texts, g);
    svg << "<rect class=\"window\" data-tag=\"";
    svg.escaped(table_text(texts[g.anchor]))
        << "\" x=\"" << w.left << "\" y=\"" << 0.0 - w.top << "\" width=\""
        << std::max(0.0, w.right - w.left) << "\" height=\"" << std::max(0.0, w.top - w.bottom)
        << "\"/>\n";
  }
  svg << "</g>\n<g class=\"links\">\n";
  for (const RecognisedGroup& g : preview.groups) {
    if (!placed[g.anchor]) continue;
    const TextRecord& a = texts[g.anchor];
    for (int k = 0; k < g.size; ++k) {
      const std::size_t member = g.members[static_cast<std::size_t>(k)];
      if (!placed[member]) continue;
      const TextRecord& m = texts[member];
      svg << "<line class=\"link\" x1=\"" << m.x << "\" y1=\"" << 0.0 - m.y << "\" x2=\"" << a.x
          << "\" y2=\"" << 0.0 - a.y << "\"/>\n";
    }
  }
  svg << "</g>\n<g class=\"texts\">\n";
  write_texts(svg, texts, preview, placed, true);
  svg << "</g>\n";
  if (std::find(placed.begin(), placed.end(), 0) != placed.end()) {
    svg << "<g class=\"unplaced\" display=\"none\">\n";
    write_texts(svg, texts, preview, placed, false);
    svg << "</g>\n";
  }
  write_legend(svg, preview, count_classes(texts, preview), view_left + margin,
               view_top + 0.5 * (band + legend * 0.8), legend);
  svg << "</svg>\n";
  return svg.take();
}

std::string preview_name_for(std::string_view drawing) {
  const std::size_t start = last_component_start(drawing);
  // '.' is never the trail byte of a Shift-JIS character.
  const std::size_t dot = drawing.rfind('.');
  const std::size_t end = dot != std::string_view::npos && dot > start ? dot : drawing.size();
  return std::string(drawing.substr(0, end)) + ".svg";
}

bool write_preview_svg(const Workspace& ws, Notifier& notifier, const std::string& path,
                       std::string_view svg) {
  if (!output_spares_inputs(ws, notifier, path, false)) return false;
  if (!io::write_whole_file(path, svg)) {
    notifier.warn(msg::kPreviewCannotWrite, msg::kTitleFileError, path);
    return false;
  }
  return true;
}

}  // namespace korvane
