// The test that makes a text of the table an anchor (the tag number of a part), shared by
// recognition and the recognition report, so both classify every text alike.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

#include "dxf/text_table.h"
#include "text/sjis.h"

namespace korvane {

struct BasePartsStore;
struct ProhibitedWords;

// The text as the table's 64-byte field holds it.
inline std::string_view table_text(const TextRecord& record) {
  const std::string_view text = record.text;
  return text.substr(0, cut_length(text, kDxfTextCapacity));
}

// Non-empty patterns, bucketed by their first byte so that a text is only compared with the
// patterns that can match it. Each pattern carries the index its list gave it.
class PrefixSet {
 public:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  void add(std::string_view pattern, std::size_t index);
  bool matches(std::string_view text) const {
    if (text.empty()) return false;
    for (const Pattern& pattern : buckets_[static_cast<unsigned char>(text[0])]) {
      if (begins_with(text, pattern.text)) return true;
    }
    return false;
  }
  // The lowest index of the patterns that begin `text`, or kNone.
  std::size_t first_match(std::string_view text) const;

 private:
  struct Pattern {
    std::string_view text;
    std::size_t index;
  };
  std::array<std::vector<Pattern>, 256> buckets_{};
};

// Why a text is, or is not, an anchor: the first test of the three that fails names it.
enum class AnchorVerdict {
  NoTag,       // begins with no tag number of the base parts list
  Type,        // also begins with a type of the list
  Prohibited,  // begins with a prohibited word
  Anchor,
};

// The three lists of the anchor test. The patterns are views into the lists, which must outlive
// this.
class AnchorTest {
 public:
  AnchorTest(const BasePartsStore& base_parts, const ProhibitedWords& words);

  AnchorVerdict verdict(std::string_view text) const {
    if (!tags_.matches(text)) return AnchorVerdict::NoTag;
    if (types_.matches(text)) return AnchorVerdict::Type;
    if (words_.matches(text)) return AnchorVerdict::Prohibited;
    return AnchorVerdict::Anchor;
  }
  // The first base parts entry (file order) whose type begins `text`, or PrefixSet::kNone.
  std::size_t type_entry(std::string_view text) const { return types_.first_match(text); }
  // The first prohibited word (list order) that begins `text`, or PrefixSet::kNone.
  std::size_t word(std::string_view text) const { return words_.first_match(text); }

 private:
  PrefixSet tags_;
  PrefixSet types_;
  PrefixSet words_;
};

}  // namespace korvane
