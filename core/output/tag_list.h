// Tag lists as the outputs write them. The merge joins the tags of one part in the order it met
// them ("PB2,1", the family prefix written once); an output may write them sorted ("PB1,2") or
// with runs as ranges ("CR1-3,5"). The list in memory is never changed.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace korvane {

enum class TagListStyle {
  Merged,  // as the merge wrote it
  Sorted,  // the numbers after the family prefix in ascending order
  Ranges,  // sorted, and three or more consecutive numbers as "first-last"
};

// `cell` in `style`, its first `prefix_length` bytes being the family prefix of its first tag.
// A cell of one tag, or one whose pieces are not all plain numbers (1 to 9 ASCII digits) after
// that prefix ("CR1A,2B"), is returned as it is. Equal numbers keep their order and are never
// joined into a range.
std::string format_tag_list(std::string_view cell, std::size_t prefix_length, TagListStyle style);

}  // namespace korvane
