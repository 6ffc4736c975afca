// Comparing two parts lists: which parts a drawing revision adds, removes and changes.
//
// A part is its part name, maker, specification, type and supply class (the cells the column
// map names, trailing blanks dropped, compared exactly after both files were decoded to
// Unicode). Each list's rows are gathered per part: quantities added up, tag numbers collected,
// a merged tag cell split back into single tags.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compare/parts_list_file.h"

namespace korvane {

class Notifier;
struct BasePartsStore;
struct ColumnMap;
struct Workspace;

// A list holds no more tag numbers than this (a drawing set of at most 5000 rows holds far
// fewer); more means ranges that were never written by the program, and the file is refused
// rather than expanded without end.
inline constexpr std::size_t kMaxListedTags = 100000;
// A range "CR1-3" names at most this many tags; a wider one stays one tag as written.
inline constexpr std::uint32_t kMaxRangeLength = 1000;

// The texts that identify a part (UTF-8).
struct PartKey {
  std::string name;
  std::string maker;
  std::string spec;
  std::string type;
  std::string supply;

  bool operator==(const PartKey&) const = default;
};

// One part of a list: its rows gathered.
struct GatheredPart {
  PartKey key;
  std::int64_t quantity = 0;
  std::vector<std::string> tags;  // each once, in the order the list names them

  bool operator==(const GatheredPart&) const = default;
};

// The family prefixes of the base parts list in UTF-8: its non-empty tag numbers, as the
// quantity merge takes them.
std::vector<std::string> family_prefixes(const BasePartsStore& base);

// The single tags of a tag cell (UTF-8). The first piece is a whole tag; each later piece is
// what followed the family prefix of the first tag (the longest prefix that begins it), so
// "CR1,2,3" gives CR1, CR2, CR3 and "THR4,5" gives THR4, THR5 when THR is a prefix. A piece
// that is a range of numbers at least three long ("1-3") names each of them, as the range
// form of the written lists joins them. Trailing blanks are dropped; an empty cell has no tags.
std::vector<std::string> split_tag_cell(std::string_view cell,
                                        const std::vector<std::string>& prefixes);

struct GatheredList {
  std::vector<GatheredPart> parts;   // in the order of their first rows
  std::optional<ListFaultAt> fault;  // TooManyTags, at the line that passed the limit
};

// The list's rows gathered per part, the cells read by the column map (a column outside the
// row reads as empty).
GatheredList gather_parts(const std::vector<ListedRow>& rows, const ColumnMap& map,
                          const std::vector<std::string>& prefixes);

enum class ChangeKind { Added, Removed, Changed };

struct PartChange {
  ChangeKind kind = ChangeKind::Changed;
  PartKey part;
  std::int64_t old_quantity = 0;  // 0 for an added part
  std::int64_t new_quantity = 0;  // 0 for a removed part
  // An added part's tags are all added, a removed part's all removed.
  std::vector<std::string> tags_added;
  std::vector<std::string> tags_removed;

  bool operator==(const PartChange&) const = default;
};

struct Comparison {
  // The parts of the new list that are added or changed, in its order, then the removed parts
  // in the order of the old list.
  std::vector<PartChange> changes;
  std::size_t unchanged = 0;

  bool same() const { return changes.empty(); }
};

Comparison compare_gathered(const std::vector<GatheredPart>& old_parts,
                            const std::vector<GatheredPart>& new_parts);

// What compares the two lists: the column map and the family prefixes.
struct ComparisonRules {
  const ColumnMap& map;
  const std::vector<std::string>& prefixes;
};

// Reads both files and compares them. A file that cannot be read or is no parts list is
// reported (naming it and the line) and gives nothing.
std::optional<Comparison> compare_parts_list_files(const std::string& old_path,
                                                   const std::string& new_path,
                                                   const ComparisonRules& rules,
                                                   Notifier& notifier);

// Compares the file at `old_path` with the workspace's list as the writer would write it now
// (every row), by the workspace's settings and base parts list.
std::optional<Comparison> compare_with_current_list(const Workspace& ws,
                                                    const std::string& old_path,
                                                    Notifier& notifier);

}  // namespace korvane
