#include "dxf/window_tuning.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numeric>
#include <vector>

#include "dxf/anchor_test.h"
#include "settings/settings.h"

namespace korvane {

namespace {

constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();
constexpr int kFirstGroupLine = 2;  // text_number 2 names the first text below the anchor
// Drops that differ by at most a quarter count as one pitch when the pitch is looked for.
constexpr double kClusterRatio = 1.25;
// A stacked line may stand this share of the pitch above or below where the pitch puts it.
constexpr double kDropTolerance = 0.3;
// The window that looks for the stacks reaches ten first drops down: nine lines and a margin.
constexpr double kProbeDepth = 10.0;
// Windows are kept within what a settings field holds, whatever the drawing's coordinates.
constexpr double kLargestWindow = 1e9;

bool finite(const TextRecord& t) { return std::isfinite(t.x) && std::isfinite(t.y); }

// Recognition's group order: higher first, equal heights in table order.
bool ranks_before(const TextTable& texts, std::size_t a, std::size_t b) {
  return texts[a].y > texts[b].y || (texts[a].y == texts[b].y && a < b);
}

int whole(double v) {
  if (!(v >= 1.0)) return 1;  // NaN included
  return static_cast<int>(std::min(v, kLargestWindow));
}
// The smallest whole number above `v` (a window bound that takes a text at distance v).
int whole_above(double v) { return whole(std::floor(v) + 1.0); }
int whole_at_least(double v) { return whole(std::ceil(v)); }

// For each anchor, the highest text in the quarter below it (dy > |dx|), or kNone: the first line
// of its stack, when it has one, whatever the drawing's scale. One sweep over the texts in order
// of x + y, with a Fenwick tree over the order of y - x that keeps the highest text added at or
// before each place: the texts in an anchor's quarter are those added before it (smaller x + y)
// that lie before it in y - x.
std::vector<std::size_t> first_lines(const TextTable& texts,
                                     const std::vector<std::size_t>& anchors) {
  const auto u = [&](std::size_t j) { return texts[j].x + texts[j].y; };
  const auto v = [&](std::size_t j) { return texts[j].y - texts[j].x; };
  std::vector<std::size_t> points;
  points.reserve(texts.size());
  for (std::size_t j = 0; j < texts.size(); ++j) {
    if (finite(texts[j])) points.push_back(j);
  }
  std::vector<double> vs;
  vs.reserve(points.size());
  for (const std::size_t j : points) vs.push_back(v(j));
  std::sort(vs.begin(), vs.end());
  vs.erase(std::unique(vs.begin(), vs.end()), vs.end());
  std::sort(points.begin(), points.end(),
            [&](std::size_t a, std::size_t b) { return u(a) < u(b) || (u(a) == u(b) && a < b); });
  std::vector<std::size_t> order;
  for (std::size_t r = 0; r < anchors.size(); ++r) {
    if (finite(texts[anchors[r]])) order.push_back(r);
  }
  std::sort(order.begin(), order.end(),
            [&](std::size_t a, std::size_t b) { return u(anchors[a]) < u(anchors[b]); });

  const auto better = [&](std::size_t a, std::size_t b) {
    return a != kNone && (b == kNone || ranks_before(texts, a, b));
  };
  const auto place = [&](double value) {  // places of vs before `value`
    return static_cast<std::size_t>(std::lower_bound(vs.begin(), vs.end(), value) - vs.begin());
  };
  std::vector<std::size_t> tree(vs.size() + 1, kNone);
  std::vector<std::size_t> result(anchors.size(), kNone);
  std::size_t added = 0;
  for (const std::size_t r : order) {
    const std::size_t a = anchors[r];
    for (; added < points.size() && u(points[added]) < u(a); ++added) {
      const std::size_t j = points[added];
      for (std::size_t k = place(v(j)) + 1; k < tree.size(); k += k & (~k + 1)) {
        if (better(j, tree[k])) tree[k] = j;
      }
    }
    std::size_t best = kNone;
    for (std::size_t k = place(v(a)); k > 0; k -= k & (~k + 1)) {
      if (better(tree[k], best)) best = tree[k];
    }
    result[r] = best;
  }
  return result;
}

// The densest run of sorted positive values in which none exceeds the first by more than
// kClusterRatio, as [begin, end); the earliest of equally dense runs.
struct Run {
  std::size_t begin = 0;
  std::size_t end = 0;
};
Run densest_run(const std::vector<double>& sorted) {
  Run best;
  std::size_t end = 0;
  for (std::size_t begin = 0; begin < sorted.size(); ++begin) {
    end = std::max(end, begin);
    while (end < sorted.size() && sorted[end] <= sorted[begin] * kClusterRatio) ++end;
    if (end - begin > best.end - best.begin) best = {begin, end};
  }
  return best;
}

double middle(const std::vector<double>& sorted, Run run) {
  return sorted[run.begin + (run.end - run.begin - 1) / 2];
}

bool drop_fits(double drop, double expected) {
  return std::abs(drop - expected) <= kDropTolerance * expected;
}

// Counts the figures of groups found with a window of pt_y or more, each cut to the texts that
// a window of pt_y takes: the groups of a lower window are the start of those of a higher one of
// the same width, so one search serves every height.
class Scorer {
 public:
  Scorer(const TextTable& texts, const std::vector<char>& is_anchor, const Settings& settings)
      : texts_(texts), is_anchor_(is_anchor), claims_(texts.size(), 0) {
    for (std::size_t c = 1; c < settings.columns.size(); ++c) {
      const ColumnSetting& column = settings.columns[c];
      const int slot = column.text_number - kFirstGroupLine;
      if (!column.fixed_text.empty() || slot < 0 || slot >= kGroupSize) continue;
      deepest_line_ = std::max(deepest_line_, slot + 1);
      for (int size = slot + 1; size <= kGroupSize; ++size) {
        ++fields_by_size_[static_cast<std::size_t>(size)];
      }
    }
    // With no column that takes a line, every line counts: the stacks are taken whole.
    if (deepest_line_ == 0) {
      for (std::size_t size = 0; size < fields_by_size_.size(); ++size)
        fields_by_size_[size] = size;
    }
  }

  // The deepest line below the anchor a column takes (1 for text_number 2), 0 when none does.
  int deepest_line() const { return deepest_line_; }

  WindowFigures measure(const std::vector<RecognisedGroup>& groups, int pt_x, int pt_y) {
    WindowFigures f;
    f.pt_x = pt_x;
    f.pt_y = pt_y;
    const double height = pt_y;
    for (const RecognisedGroup& g : groups) {
      // The bottom of the window as recognition computes it.
      const double bottom = texts_[g.anchor].y - height;
      std::size_t size = 0;
      bool cut = false;
      for (; size < static_cast<std::size_t>(g.size); ++size) {
        const std::size_t m = g.members[size];
        if (!(bottom < texts_[m].y)) break;
        cut = cut || is_anchor_[m] != 0;
        if (claims_[m] == 0) touched_.push_back(m);
        if (claims_[m] < 2 && ++claims_[m] == 2) ++f.shared;
      }
      f.fields += fields_by_size_[size];
      if (size == 0) ++f.empty;
      if (cut) ++f.cut;
    }
    for (const std::size_t m : touched_) claims_[m] = 0;
    touched_.clear();
    return f;
  }

 private:
  const TextTable& texts_;
  const std::vector<char>& is_anchor_;
  std::array<std::size_t, kGroupSize + 1> fields_by_size_{};
  int deepest_line_ = 0;
  std::vector<std::uint8_t> claims_;  // groups that hold each text, up to 2
  std::vector<std::size_t> touched_;
};

// The best window first: the higher score, then the smaller area, then the lower, then the
// narrower.
bool preferred(const WindowFigures& a, const WindowFigures& b) {
  if (a.score() != b.score()) return a.score() > b.score();
  const long long area_a = static_cast<long long>(a.pt_x) * a.pt_y;
  const long long area_b = static_cast<long long>(b.pt_x) * b.pt_y;
  if (area_a != area_b) return area_a < area_b;
  if (a.pt_y != b.pt_y) return a.pt_y < b.pt_y;
  return a.pt_x < b.pt_x;
}

// The stacks below the anchors, read from the groups of a window wide enough for the column
// alignment and deep enough for nine lines. A text of a group is in the column when it stands
// within half a first drop of the anchor's x plus the common offset; a stack is the run of the
// column's texts from the top in which each stands one pitch below the one before (the first, one
// first drop below the anchor), up to the first that does not or that is an anchor itself. Texts
// beside the column (wire numbers, a neighbour's labels) are passed over.
struct Stacks {
  double pitch = 0.0;
  double spread = 0.0;        // the largest distance across of a stacked line from its anchor
  double tight_spread = 0.0;  // the same over the lines within a quarter drop of the column
  std::array<std::size_t, kGroupSize + 1> depths{};
  int deepest = 0;
  // Per line (1 to 9): the nearest and the farthest drop from the anchor of any stack's line.
  std::array<double, kGroupSize + 2> nearest{};
  std::array<double, kGroupSize + 2> farthest{};
};

Stacks read_stacks(const TextTable& texts, const std::vector<char>& is_anchor,
                   const std::vector<RecognisedGroup>& probe, double first_drop, double offset) {
  Stacks s;
  const double column = first_drop / 2;
  const auto drop = [&](std::size_t from, std::size_t to) { return texts[from].y - texts[to].y; };
  const auto off_column = [&](std::size_t anchor, std::size_t m) {
    return std::abs(texts[m].x - texts[anchor].x - offset);
  };
  // The column's texts of a group, in group order.
  struct Column {
    std::array<std::size_t, kGroupSize> members{};
    int size = 0;
  };
  const auto column_of = [&](const RecognisedGroup& g) {
    Column c;
    for (int k = 0; k < g.size; ++k) {
      const std::size_t m = g.members[static_cast<std::size_t>(k)];
      if (off_column(g.anchor, m) <= column) c.members[static_cast<std::size_t>(c.size++)] = m;
    }
    return c;
  };

  // The pitch between lines: the common drop from a stack's first line to its second.
  std::vector<double> steps;
  for (const RecognisedGroup& g : probe) {
    const Column c = column_of(g);
    if (c.size < 2 || is_anchor[c.members[0]] || is_anchor[c.members[1]]) continue;
    if (!drop_fits(drop(g.anchor, c.members[0]), first_drop)) continue;
    const double step = drop(c.members[0], c.members[1]);
    if (step > 0) steps.push_back(step);
  }
  std::sort(steps.begin(), steps.end());
  s.pitch = steps.empty() ? first_drop : middle(steps, densest_run(steps));

  s.nearest.fill(std::numeric_limits<double>::infinity());
  for (const RecognisedGroup& g : probe) {
    const Column c = column_of(g);
    int depth = 0;
    std::size_t above = g.anchor;
    for (int k = 0; k < c.size; ++k) {
      const std::size_t m = c.members[static_cast<std::size_t>(k)];
      if (is_anchor[m] || !drop_fits(drop(above, m), k == 0 ? first_drop : s.pitch)) break;
      ++depth;
      const auto d = static_cast<std::size_t>(depth);
      const double total = drop(g.anchor, m);
      s.nearest[d] = std::min(s.nearest[d], total);
      s.farthest[d] = std::max(s.farthest[d], total);
      const double across = std::abs(texts[m].x - texts[g.anchor].x);
      s.spread = std::max(s.spread, across);
      if (off_column(g.anchor, m) <= column / 2) s.tight_spread = std::max(s.tight_spread, across);
      above = m;
    }
    ++s.depths[static_cast<std::size_t>(depth)];
    s.deepest = std::max(s.deepest, depth);
  }
  return s;
}

// The window height that takes `depth` lines of every stack and none of the next: the middle of
// the gap between the farthest line `depth` and the nearest line below it (one pitch below when
// no stack is deeper), and at least just beyond the farthest line `depth`.
int height_for(const Stacks& s, int depth) {
  const auto d = static_cast<std::size_t>(depth);
  const double last = s.farthest[d];
  const double next = depth < s.deepest ? s.nearest[d + 1] : last + s.pitch;
  const int height = whole(std::round((last + next) / 2));
  return std::max(height, whole_above(last));
}

}  // namespace

long long WindowFigures::score() const {
  return static_cast<long long>(fields) - 2 * static_cast<long long>(shared + cut) -
         static_cast<long long>(empty);
}

WindowFigures measure_window(const TextTable& texts, const AnchorTest& anchor_test,
                             const Settings& settings, int pt_x, int pt_y) {
  std::vector<char> is_anchor(texts.size(), 0);
  for (std::size_t j = 0; j < texts.size(); ++j) {
    is_anchor[j] = anchor_test.verdict(table_text(texts[j])) == AnchorVerdict::Anchor;
  }
  Scorer scorer(texts, is_anchor, settings);
  return scorer.measure(find_groups(texts, anchor_test, pt_x, pt_y), pt_x, pt_y);
}

WindowProposal propose_recognition_window(const TextTable& texts, const BasePartsStore& base_parts,
                                          const ProhibitedWords& words, const Settings& settings) {
  WindowProposal out;
  const AnchorTest anchor_test(base_parts, words);
  std::vector<char> is_anchor(texts.size(), 0);
  std::vector<std::size_t> anchors;
  for (std::size_t j = 0; j < texts.size(); ++j) {
    if (anchor_test.verdict(table_text(texts[j])) != AnchorVerdict::Anchor) continue;
    is_anchor[j] = 1;
    anchors.push_back(j);
  }
  out.anchors = anchors.size();
  Scorer scorer(texts, is_anchor, settings);
  out.current = scorer.measure(find_groups(texts, anchor_test, settings.pt_x, settings.pt_y),
                               settings.pt_x, settings.pt_y);
  out.proposed = out.current;
  if (anchors.empty()) return out;
  out.outcome = TuningOutcome::NoStacks;

  // The first drop: the most common height of an anchor over the first text below it.
  struct FirstLine {
    double drop;
    double dx;
  };
  std::vector<FirstLine> firsts;
  const std::vector<std::size_t> below = first_lines(texts, anchors);
  for (std::size_t r = 0; r < anchors.size(); ++r) {
    if (below[r] == kNone) continue;
    const TextRecord& a = texts[anchors[r]];
    const TextRecord& t = texts[below[r]];
    firsts.push_back({a.y - t.y, t.x - a.x});
  }
  if (firsts.empty()) return out;
  std::sort(firsts.begin(), firsts.end(), [](const FirstLine& a, const FirstLine& b) {
    return a.drop < b.drop || (a.drop == b.drop && a.dx < b.dx);
  });
  std::vector<double> drops;
  drops.reserve(firsts.size());
  for (const FirstLine& f : firsts) drops.push_back(f.drop);
  const Run run = densest_run(drops);
  out.first_drop = middle(drops, run);
  // The column alignment: the middle offset of those first lines.
  std::vector<double> offsets;
  for (std::size_t k = run.begin; k < run.end; ++k) offsets.push_back(firsts[k].dx);
  std::sort(offsets.begin(), offsets.end());
  out.offset = middle(offsets, {0, offsets.size()});

  const std::vector<RecognisedGroup> probe =
      find_groups(texts, anchor_test, whole_at_least(std::abs(out.offset) + out.first_drop / 2),
                  whole_at_least(kProbeDepth * out.first_drop));
  const Stacks stacks = read_stacks(texts, is_anchor, probe, out.first_drop, out.offset);
  out.pitch = stacks.pitch;
  out.spread = stacks.spread;
  out.depths = stacks.depths;
  // Lines deeper than any column takes fill nothing; with no such column the stacks go whole.
  const int wanted = scorer.deepest_line() > 0 ? scorer.deepest_line() : kGroupSize;
  const int deepest = std::min(wanted, stacks.deepest);
  if (deepest == 0) return out;

  std::vector<int> heights;
  for (int depth = 1; depth <= deepest; ++depth) heights.push_back(height_for(stacks, depth));
  std::sort(heights.begin(), heights.end());
  heights.erase(std::unique(heights.begin(), heights.end()), heights.end());
  // Just wide enough for the lines of the column, with those that stand farther from it than a
  // quarter drop or without them.
  std::vector<int> widths{whole_above(stacks.tight_spread), whole_above(stacks.spread)};
  std::sort(widths.begin(), widths.end());
  widths.erase(std::unique(widths.begin(), widths.end()), widths.end());

  out.outcome = TuningOutcome::Proposed;
  bool first = true;
  for (const int width : widths) {
    const std::vector<RecognisedGroup> groups =
        find_groups(texts, anchor_test, width, heights.back());
    for (const int height : heights) {
      const WindowFigures f = scorer.measure(groups, width, height);
      ++out.candidates;
      if (first || preferred(f, out.proposed)) out.proposed = f;
      first = false;
    }
  }
  return out;
}

}  // namespace korvane
