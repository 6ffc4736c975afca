#include "output/tag_list.h"

#include <algorithm>
#include <vector>

namespace korvane {
namespace {

struct Number {
  std::string_view text;  // as written, leading zeros kept
  long value = 0;
};

// Nine digits at most, so that the value and its successor fit in a long everywhere.
constexpr std::size_t kMaxDigits = 9;

bool read_number(std::string_view text, Number& out) {
  if (text.empty() || text.size() > kMaxDigits) return false;
  long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  out = {text, value};
  return true;
}

}  // namespace

std::string format_tag_list(std::string_view cell, std::size_t prefix_length, TagListStyle style) {
  if (style == TagListStyle::Merged) return std::string(cell);
  // A comma never occurs inside a Shift-JIS double-byte character (trail bytes are 0x40 and up).
  const std::size_t first_comma = cell.find(',');
  if (first_comma == std::string_view::npos || prefix_length > first_comma) {
    return std::string(cell);
  }
  const std::string_view prefix = cell.substr(0, prefix_length);

  std::vector<Number> numbers;
  std::size_t start = prefix_length;
  while (true) {
    const std::size_t comma = cell.find(',', start);
    Number n;
    if (!read_number(cell.substr(start, comma == std::string_view::npos ? comma : comma - start),
                     n)) {
      return std::string(cell);
    }
    numbers.push_back(n);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  std::stable_sort(numbers.begin(), numbers.end(),
                   [](const Number& a, const Number& b) { return a.value < b.value; });

  std::string out(prefix);
  for (std::size_t i = 0; i < numbers.size();) {
    std::size_t last = i;
    if (style == TagListStyle::Ranges) {
      while (last + 1 < numbers.size() && numbers[last + 1].value == numbers[last].value + 1) {
        ++last;
      }
    }
    if (i > 0) out += ',';
    out += numbers[i].text;
    if (last >= i + 2) {
      out += '-';
      out += numbers[last].text;
      i = last + 1;
    } else {
      ++i;
    }
  }
  return out;
}

}  // namespace korvane
