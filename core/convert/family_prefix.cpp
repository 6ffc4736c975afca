#include "convert/family_prefix.h"

#include "convert/cells.h"

namespace korvane {

FamilyPrefixes::FamilyPrefixes(const BasePartsStore& store) {
  for (const BasePartEntry& e : stored_entries(store)) {
    if (!e.tag.empty()) tags_.push_back(e.tag);
  }
}

std::size_t FamilyPrefixes::length_in(std::string_view tag) const {
  std::size_t best = 0;
  for (const std::string& t : tags_) {
    if (t.size() > best && begins_with(tag, t)) best = t.size();
  }
  return best;
}

}  // namespace korvane
