#include "dxf/recognition.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "text/sjis.h"
#include "workspace.h"

namespace korvane {

namespace {

// The group keeps the nine texts that text_number 2 to 10 can name.
constexpr int kGroupSize = 9;
constexpr int kFirstGroupLine = 2;  // the anchor itself is line 1

// The text as the table's 64-byte field holds it.
std::string_view table_text(const TextRecord& record) {
  const std::string_view text = record.text;
  return text.substr(0, cut_length(text, kDxfTextCapacity));
}

// Non-empty patterns, bucketed by their first byte so that a text is only compared with the
// patterns that can match it.
class PrefixSet {
 public:
  void add(std::string_view pattern) {
    if (!pattern.empty()) buckets_[static_cast<unsigned char>(pattern[0])].push_back(pattern);
  }
  bool matches(std::string_view text) const {
    if (text.empty()) return false;
    for (std::string_view pattern : buckets_[static_cast<unsigned char>(text[0])]) {
      if (begins_with(text, pattern)) return true;
    }
    return false;
  }

 private:
  std::array<std::vector<std::string_view>, 256> buckets_{};
};

struct Point {
  double x;
  double y;
  std::size_t index;  // position in the text table
};

// Group order: higher first; equal heights in table order.
bool ranks_before(const Point& a, const Point& b) {
  return a.y > b.y || (a.y == b.y && a.index < b.index);
}

// The best kGroupSize points offered, in group order. Offers may come in any order.
class Group {
 public:
  void clear() { count_ = 0; }
  void offer(const Point& p) {
    if (count_ == kGroupSize && !ranks_before(p, slots_[kGroupSize - 1])) return;
    int k = count_ < kGroupSize ? count_ : kGroupSize - 1;
    while (k > 0 && ranks_before(p, slots_[static_cast<std::size_t>(k - 1)])) {
      slots_[static_cast<std::size_t>(k)] = slots_[static_cast<std::size_t>(k - 1)];
      --k;
    }
    slots_[static_cast<std::size_t>(k)] = p;
    if (count_ < kGroupSize) ++count_;
  }
  int count() const { return count_; }
  const Point& at(int k) const { return slots_[static_cast<std::size_t>(k)]; }

 private:
  std::array<Point, kGroupSize> slots_{};
  int count_ = 0;
};

// The texts as points sorted by x. A NaN coordinate never lies inside a window; leaving it out
// also keeps the ordering sound.
std::vector<Point> points_by_x(const TextTable& texts) {
  std::vector<Point> points;
  points.reserve(texts.size());
  for (std::size_t j = 0; j < texts.size(); ++j) {
    if (!std::isnan(texts[j].x) && !std::isnan(texts[j].y)) {
      points.push_back({texts[j].x, texts[j].y, j});
    }
  }
  std::sort(points.begin(), points.end(), [](const Point& a, const Point& b) { return a.x < b.x; });
  return points;
}

// Texts of a slab that lie beside a window, passed over before a search gives up, per search and
// per text of the table over all searches (drawings seen so far pass over at most 12 per text).
constexpr int kSlabMissBudget = 512;
constexpr std::size_t kSlabMissesPerText = 64;

// The texts indexed by x: sorted by x and cut into slabs less than `width` wide, each slab kept
// in group order. A window of width 2 * pt_x meets at most three slabs, and in each the texts
// just below the anchor come first, so a search stops after nine hits per slab instead of
// visiting every text of the window (batches of drawings of one sheet size pile many texts
// into the same x range). Only the texts of a slab that lie beside the window cost more; a
// search that meets too many of them gives up and leaves the anchor to GroupSearch, and so do
// all searches once the searches together have met too many.
class SlabIndex {
 public:
  SlabIndex(const TextTable& texts, double width) : points_(points_by_x(texts)) {
    for (std::size_t k = 0; k < points_.size(); ++k) {
      const double x = points_[k].x;
      if (begin_.empty() || !(x < low_.back() + width)) {
        begin_.push_back(k);
        low_.push_back(x);
        high_.push_back(x);
      } else {
        high_.back() = x;
      }
    }
    begin_.push_back(points_.size());
    spare_misses_ = kSlabMissBudget + kSlabMissesPerText * points_.size();
    for (std::size_t s = 0; s + 1 < begin_.size(); ++s) {
      std::sort(points_.begin() + static_cast<std::ptrdiff_t>(begin_[s]),
                points_.begin() + static_cast<std::ptrdiff_t>(begin_[s + 1]), ranks_before);
    }
  }

  // Offers every text with left < x < right and bottom < y < top to the group; false, the group
  // unfinished, when the search gave up.
  bool search(double left, double right, double bottom, double top, Group& group) {
    if (spare_misses_ == 0) return false;
    const std::size_t slabs = low_.size();
    int misses = 0;
    std::size_t s = static_cast<std::size_t>(
        std::partition_point(high_.begin(), high_.end(), [&](double h) { return h <= left; }) -
        high_.begin());
    for (; s < slabs && low_[s] < right; ++s) {
      const auto end = points_.begin() + static_cast<std::ptrdiff_t>(begin_[s + 1]);
      auto it = std::partition_point(points_.begin() + static_cast<std::ptrdiff_t>(begin_[s]), end,
                                     [&](const Point& p) { return !(p.y < top); });
      int hits = 0;
      for (; it != end && bottom < it->y && hits < kGroupSize; ++it) {
        ++visited_;
        if (left < it->x && it->x < right) {
          group.offer(*it);
          ++hits;  // the rest of this slab ranks below these
        } else if (++misses > kSlabMissBudget || --spare_misses_ == 0) {
          return false;
        }
      }
    }
    return true;
  }

  std::uint64_t visited() const { return visited_; }

 private:
  std::vector<Point> points_;
  std::vector<std::size_t> begin_;  // slab s is points_[begin_[s], begin_[s + 1])
  std::vector<double> low_;         // smallest x of each slab
  std::vector<double> high_;        // largest x of each slab
  std::size_t spare_misses_ = 0;    // what is left of the searches' budget
  std::uint64_t visited_ = 0;       // texts looked at
};

// The group searches the slab index gave up on, answered in order of rising anchor height. Before
// the windows of anchors at height y are searched, every text lower than y has been added to a
// segment tree over the texts sorted by x, whose nodes hold the best group rank added below
// them. A window is then an x range of that tree: its best text is a range minimum, the next
// best the best of the two ranges either side of it, and so on for nine texts, so a search
// costs O(log n) however many texts of the window's height lie beside it.
class GroupSearch {
 public:
  explicit GroupSearch(const TextTable& texts) : points_(points_by_x(texts)) {
    // Rank 0 is the text that would head any group holding it: group order over all texts.
    by_rank_.resize(points_.size());
    for (std::size_t k = 0; k < points_.size(); ++k) by_rank_[k] = k;
    std::sort(by_rank_.begin(), by_rank_.end(), [this](std::size_t a, std::size_t b) {
      return ranks_before(points_[a], points_[b]);
    });
    not_added_ = by_rank_.size();
    leaves_ = 1;
    while (leaves_ < points_.size()) leaves_ *= 2;
    best_.assign(2 * leaves_, kNone);
  }

  // Offers the texts with left < x < right and bottom < y < top to the group, best first, until
  // it is full. `top` must not be lower than in the call before.
  void search(double left, double right, double bottom, double top, Group& group) {
    // Texts are added lowest first, that is from the last rank up.
    while (not_added_ > 0 && points_[by_rank_[not_added_ - 1]].y < top) add(--not_added_);
    const auto first = std::partition_point(points_.begin(), points_.end(),
                                            [&](const Point& p) { return !(left < p.x); });
    const auto last =
        std::partition_point(first, points_.end(), [&](const Point& p) { return p.x < right; });
    // Ranges still to look into, each with its best rank; every text taken splits its range in
    // two, so nine takes leave at most ten.
    struct Range {
      std::size_t best, begin, end;
    };
    std::array<Range, kGroupSize + 1> open{};
    std::size_t open_count = 0;
    const auto look_into = [&](std::size_t begin, std::size_t end) {
      const std::size_t best = best_in(begin, end);
      if (best != kNone) open[open_count++] = {best, begin, end};
    };
    look_into(static_cast<std::size_t>(first - points_.begin()),
              static_cast<std::size_t>(last - points_.begin()));
    while (group.count() < kGroupSize && open_count > 0) {
      std::size_t top_range = 0;
      for (std::size_t r = 1; r < open_count; ++r) {
        if (open[r].best < open[top_range].best) top_range = r;
      }
      const Range taken = open[top_range];
      open[top_range] = open[--open_count];
      const std::size_t k = by_rank_[taken.best];
      if (!(bottom < points_[k].y)) break;  // every text left ranks lower, so lies lower still
      group.offer(points_[k]);
      look_into(taken.begin, k);
      look_into(k + 1, taken.end);
    }
  }

  std::uint64_t visited() const { return visited_; }

 private:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  void add(std::size_t rank) {
    std::size_t node = leaves_ + by_rank_[rank];
    best_[node] = rank;
    ++visited_;
    for (node /= 2; node > 0 && rank < best_[node]; node /= 2) {
      ++visited_;
      best_[node] = rank;
    }
  }

  // The best rank added among points_[begin, end), or kNone.
  std::size_t best_in(std::size_t begin, std::size_t end) {
    std::size_t best = kNone;
    for (std::size_t l = begin + leaves_, r = end + leaves_; l < r; l /= 2, r /= 2) {
      ++visited_;
      if (l % 2 == 1) best = std::min(best, best_[l++]);
      if (r % 2 == 1) best = std::min(best, best_[--r]);
    }
    return best;
  }

  std::vector<Point> points_;         // sorted by x
  std::vector<std::size_t> by_rank_;  // positions in points_, in group order
  std::size_t not_added_ = 0;         // ranks from here on are in the tree
  std::size_t leaves_ = 0;
  std::vector<std::size_t> best_;  // the tree: node n covers 2n and 2n + 1; leaves last
  std::uint64_t visited_ = 0;      // tree nodes looked at
};

}  // namespace

void recognise_parts(Workspace& ws, RecognitionCounts* counts) {
  ws.parts.delete_all();
  const TextTable& texts = ws.texts;
  if (texts.empty()) return;

  PrefixSet tags;
  PrefixSet types;
  PrefixSet words;
  for (const BasePartEntry& entry : ws.base_parts.entries) {
    tags.add(entry.tag);
    types.add(entry.type);
  }
  for (const std::string& word : ws.prohibited_words.words) words.add(word);

  const Settings& settings = ws.settings;
  const auto make_row = [&](std::size_t i, const Group& group) {
    PartsRow row;
    row[0] = std::string(table_text(texts[i]));
    for (std::size_t c = 1; c < row.size(); ++c) {
      const ColumnSetting& column = settings.columns[c];
      if (!column.fixed_text.empty()) {
        row[c] = column.fixed_text;
        continue;
      }
      const int slot = column.text_number - kFirstGroupLine;
      if (slot >= 0 && slot < group.count())
        row[c] = std::string(table_text(texts[group.at(slot).index]));
    }
    return row;
  };

  const double pt_x = settings.pt_x;
  const double pt_y = settings.pt_y;
  // With pt_x 0 or less no window holds anything.
  std::unique_ptr<SlabIndex> slabs;
  Group group;
  std::vector<PartsRow> rows;
  struct Anchor {
    std::size_t row, text;
  };
  std::vector<Anchor> given_up;  // their rows wait for GroupSearch

  // The anchors first, so that the rows (eight strings each) are made in place, never moved.
  std::vector<std::size_t> anchors;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const std::string_view candidate = table_text(texts[i]);
    if (tags.matches(candidate) && !types.matches(candidate) && !words.matches(candidate)) {
      anchors.push_back(i);
    }
  }
  rows.reserve(anchors.size());

  for (const std::size_t i : anchors) {
    group.clear();
    const double x = texts[i].x;
    const double y = texts[i].y;
    // The same expressions as the window test, so the bounds agree with it to the last bit.
    const double left = x - pt_x;
    const double right = x + pt_x;
    const double bottom = y - pt_y;
    if (pt_x > 0 && left < right && bottom < y) {
      if (!slabs) slabs = std::make_unique<SlabIndex>(texts, pt_x);
      if (!slabs->search(left, right, bottom, y, group)) given_up.push_back({rows.size(), i});
    }
    rows.push_back(make_row(i, group));
  }

  std::uint64_t visited = slabs ? slabs->visited() : 0;
  if (!given_up.empty()) {
    // Their windows were searchable, so no y is NaN.
    std::sort(given_up.begin(), given_up.end(),
              [&](const Anchor& a, const Anchor& b) { return texts[a.text].y < texts[b.text].y; });
    GroupSearch search(texts);
    for (const Anchor& a : given_up) {
      group.clear();
      const double x = texts[a.text].x;
      const double y = texts[a.text].y;
      search.search(x - pt_x, x + pt_x, y - pt_y, y, group);
      rows[a.row] = make_row(a.text, group);
    }
    visited += search.visited();
  }
  if (counts) *counts = {visited, given_up.size()};
  ws.parts.assign(std::move(rows));
}

}  // namespace korvane
