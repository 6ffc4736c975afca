// Line splitting shared by the reference list readers.
#pragma once

#include <string_view>

namespace korvane {

// Calls `take(line)` for each line of `bytes`, in order, until it returns false. A line ends at
// LF and a CR just before the LF is dropped; a last line without LF is a line too (a CR ending
// it dropped as well, as in a file cut between CR and LF).
template <class Take>
void for_each_line(std::string_view bytes, Take take) {
  while (!bytes.empty()) {
    const std::size_t lf = bytes.find('\n');
    std::string_view line = bytes.substr(0, lf);
    bytes.remove_prefix(lf == std::string_view::npos ? bytes.size() : lf + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!take(line)) return;
  }
}

}  // namespace korvane
