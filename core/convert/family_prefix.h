// The family prefix of a tag: the longest base parts tag that begins it ("CR" of "CR12"). The
// merge joins tags after it ("CR1,2"); the outputs read the numbers after it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "reference/base_parts.h"

namespace korvane {

class FamilyPrefixes {
 public:
  FamilyPrefixes() = default;
  // The non-empty tags of the entries, as their fields hold them.
  explicit FamilyPrefixes(const BasePartsStore& store);

  // Bytes of the longest tag that begins `tag`; the first stored wins ties; 0 when none does.
  std::size_t length_in(std::string_view tag) const;

 private:
  std::vector<std::string> tags_;
};

}  // namespace korvane
