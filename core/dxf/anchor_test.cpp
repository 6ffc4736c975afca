#include "dxf/anchor_test.h"

#include <algorithm>

#include "reference/base_parts.h"
#include "reference/prohibited_words.h"

namespace korvane {

void PrefixSet::add(std::string_view pattern, std::size_t index) {
  if (!pattern.empty())
    buckets_[static_cast<unsigned char>(pattern[0])].push_back({pattern, index});
}

std::size_t PrefixSet::first_match(std::string_view text) const {
  std::size_t first = kNone;
  if (text.empty()) return first;
  for (const Pattern& pattern : buckets_[static_cast<unsigned char>(text[0])]) {
    if (begins_with(text, pattern.text)) first = std::min(first, pattern.index);
  }
  return first;
}

AnchorTest::AnchorTest(const BasePartsStore& base_parts, const ProhibitedWords& words) {
  for (std::size_t k = 0; k < base_parts.entries.size(); ++k) {
    tags_.add(base_parts.entries[k].tag, k);
    types_.add(base_parts.entries[k].type, k);
  }
  for (std::size_t k = 0; k < words.words.size(); ++k) words_.add(words.words[k], k);
}

}  // namespace korvane
