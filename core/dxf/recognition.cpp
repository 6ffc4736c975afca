#include "dxf/recognition.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <string_view>
#include <vector>

#include "text/sjis.h"
#include "workspace.h"

namespace korvane {

namespace {

// The group keeps the nine texts that jyunban 2 to 10 can name.
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

// The texts indexed by x: sorted by x and cut into slabs less than `width` wide, each slab kept
// in group order. A window of width 2 * pt_x meets at most three slabs, and in each the texts
// just below the anchor come first, so a search stops after nine hits per slab instead of
// visiting every text of the window (batches of drawings of one sheet size pile many texts
// into the same x range).
class TextIndex {
 public:
  TextIndex(const TextTable& texts, double width) {
    // A NaN coordinate never lies inside a window; leaving it out also keeps the ordering sound.
    points_.reserve(texts.size());
    for (std::size_t j = 0; j < texts.size(); ++j) {
      if (!std::isnan(texts[j].x) && !std::isnan(texts[j].y)) {
        points_.push_back({texts[j].x, texts[j].y, j});
      }
    }
    std::sort(points_.begin(), points_.end(),
              [](const Point& a, const Point& b) { return a.x < b.x; });
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
    for (std::size_t s = 0; s + 1 < begin_.size(); ++s) {
      std::sort(points_.begin() + static_cast<std::ptrdiff_t>(begin_[s]),
                points_.begin() + static_cast<std::ptrdiff_t>(begin_[s + 1]), ranks_before);
    }
  }

  // Offers every text with left < x < right and bottom < y < top to the group.
  void search(double left, double right, double bottom, double top, Group& group) const {
    const std::size_t slabs = low_.size();
    std::size_t s = static_cast<std::size_t>(
        std::partition_point(high_.begin(), high_.end(), [&](double h) { return h <= left; }) -
        high_.begin());
    for (; s < slabs && low_[s] < right; ++s) {
      const auto end = points_.begin() + static_cast<std::ptrdiff_t>(begin_[s + 1]);
      auto it = std::partition_point(points_.begin() + static_cast<std::ptrdiff_t>(begin_[s]), end,
                                     [&](const Point& p) { return !(p.y < top); });
      int hits = 0;
      for (; it != end && bottom < it->y && hits < kGroupSize; ++it) {
        if (left < it->x && it->x < right) {
          group.offer(*it);
          ++hits;  // the rest of this slab ranks below these
        }
      }
    }
  }

 private:
  std::vector<Point> points_;
  std::vector<std::size_t> begin_;  // slab s is points_[begin_[s], begin_[s + 1])
  std::vector<double> low_;         // smallest x of each slab
  std::vector<double> high_;        // largest x of each slab
};

}  // namespace

void recognise_parts(Workspace& ws) {
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
  const double pt_x = settings.pt_x;
  const double pt_y = settings.pt_y;
  // With pt_x 0 or less no window holds anything.
  const std::unique_ptr<const TextIndex> index =
      pt_x > 0 ? std::make_unique<const TextIndex>(texts, pt_x) : nullptr;
  Group group;
  std::vector<PartsRow> rows;

  for (std::size_t i = 0; i < texts.size(); ++i) {
    const std::string_view candidate = table_text(texts[i]);
    if (!tags.matches(candidate) || types.matches(candidate) || words.matches(candidate)) continue;

    group.clear();
    const double x = texts[i].x;
    const double y = texts[i].y;
    // The same expressions as the window test, so the bounds agree with it to the last bit.
    const double left = x - pt_x;
    const double right = x + pt_x;
    const double bottom = y - pt_y;
    if (index && left < right && bottom < y) index->search(left, right, bottom, y, group);

    PartsRow row;
    row[0] = std::string(candidate);
    for (std::size_t c = 1; c < row.size(); ++c) {
      const ColumnSetting& column = settings.columns[c];
      if (!column.kotei.empty()) {
        row[c] = column.kotei;
        continue;
      }
      const int slot = column.jyunban - kFirstGroupLine;
      if (slot >= 0 && slot < group.count())
        row[c] = std::string(table_text(texts[group.at(slot).index]));
    }
    rows.push_back(std::move(row));
  }
  ws.parts.assign(std::move(rows));
}

}  // namespace korvane
