// Recognition as a plain transcription of its rules: every anchor against every text, ten
// slots filled by insertion. Quadratic; the reference the indexed search is checked against by
// the equivalence test and the recognition fuzz target.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "text/sjis.h"
#include "workspace.h"

namespace korvane::test {

struct Slot {
  double x = 0.0;
  double y = 0.0;
  std::string text;
};

inline bool matches(std::string_view text, std::string_view pattern) {
  return !pattern.empty() && begins_with(text, pattern);
}

inline std::vector<PartsRow> recognise_literally(const Workspace& ws) {
  std::vector<PartsRow> rows;
  const TextTable& t = ws.texts;
  const Settings& s = ws.settings;
  std::array<std::string, kProhibitedWordsCapacity> words{};
  for (std::size_t k = 0; k < ws.prohibited_words.words.size(); ++k) {
    words[k] = ws.prohibited_words.words[k];
  }
  for (std::size_t i = 0; i < t.size(); ++i) {
    const std::string candidate = cut_to_capacity(t[i].text, kDxfTextCapacity);
    bool tag = false;
    for (const BasePartEntry& e : ws.base_parts.entries) {
      if (matches(candidate, e.tag)) {
        tag = true;
        break;
      }
    }
    bool type = false;
    for (const BasePartEntry& e : ws.base_parts.entries) {
      if (matches(candidate, e.type)) type = true;
    }
    bool prohibited = false;
    for (const std::string& w : words) {
      if (matches(candidate, w)) prohibited = true;
    }
    if (!tag || type || prohibited) continue;

    std::array<Slot, 10> group{};
    int count = 0;
    for (std::size_t j = 0; j < t.size(); ++j) {
      if (j == i) continue;
      if (!(t[i].x - s.pt_x < t[j].x && t[j].x < t[i].x + s.pt_x && t[i].y - s.pt_y < t[j].y &&
            t[j].y < t[i].y)) {
        continue;
      }
      const Slot taken{t[j].x, t[j].y, cut_to_capacity(t[j].text, kDxfTextCapacity)};
      if (count == 0) {
        group[0] = taken;
        count = 1;
        continue;
      }
      int k = 0;
      while (k < count && !(group[k].y < t[j].y)) ++k;
      if (k < count) {
        for (int m = count - 1; m >= k; --m) group[m + 1] = group[m];
        group[k] = taken;
        if (count < 9) ++count;
      } else if (count < 9) {
        group[count] = taken;
        ++count;
      }
    }

    PartsRow row;
    row[0] = candidate;
    for (int c = 1; c < 8; ++c) {
      const ColumnSetting& column = s.columns[c];
      if (!column.fixed_text.empty()) {
        row[c] = column.fixed_text;
      } else if (column.text_number >= 2 && column.text_number <= 10) {
        row[c] = group[column.text_number - 2].text;
      }
    }
    rows.push_back(row);
  }
  return rows;
}

}  // namespace korvane::test
