// The text table: every text entity read from the drawings, in reading order.
#pragma once

#include <string>
#include <vector>

namespace korvane {

inline constexpr std::size_t kDxfTextCapacity = 64;  // a text keeps at most 63 bytes

struct TextRecord {
  double x = 0.0;
  double y = 0.0;
  std::string text;  // Shift-JIS

  bool operator==(const TextRecord&) const = default;
};

using TextTable = std::vector<TextRecord>;

}  // namespace korvane
