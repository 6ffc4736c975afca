#include "dxf/recognition.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
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

  // Texts sorted by x; a NaN coordinate never lies inside a window, so it is left out (it would
  // also break the ordering).
  std::vector<Point> by_x;
  by_x.reserve(texts.size());
  for (std::size_t j = 0; j < texts.size(); ++j) {
    if (!std::isnan(texts[j].x) && !std::isnan(texts[j].y)) {
      by_x.push_back({texts[j].x, texts[j].y, j});
    }
  }
  std::sort(by_x.begin(), by_x.end(), [](const Point& a, const Point& b) { return a.x < b.x; });

  const Settings& settings = ws.settings;
  const double pt_x = settings.pt_x;
  const double pt_y = settings.pt_y;
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
    if (left < right && bottom < y) {
      auto first = std::upper_bound(by_x.begin(), by_x.end(), left,
                                    [](double v, const Point& p) { return v < p.x; });
      auto last = std::lower_bound(first, by_x.end(), right,
                                   [](const Point& p, double v) { return p.x < v; });
      for (auto it = first; it != last; ++it) {
        if (it->index != i && bottom < it->y && it->y < y) group.offer(*it);
      }
    }

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
