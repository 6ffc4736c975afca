// The prohibited words list: texts that appear on drawings but are never tag numbers.
#pragma once

#include <string>
#include <vector>

namespace korvane {

inline constexpr std::size_t kWordCapacity = 32;  // a word holds at most 31 bytes
inline constexpr int kProhibitedWordsCapacity = 100;

// The words in use, in file order, none empty; at most kProhibitedWordsCapacity.
struct ProhibitedWords {
  std::vector<std::string> words;
};

}  // namespace korvane
