#include "compare/list_comparison.h"

#include <charconv>
#include <unordered_map>
#include <unordered_set>

#include "convert/cells.h"
#include "notify.h"
#include "output/parts_list_writer.h"
#include "text/encoding.h"
#include "text/messages.h"
#include "workspace.h"

namespace korvane {
namespace {

std::string_view without_trailing_blanks(std::string_view text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

bool all_digits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// The numbers of a range piece "LOW-HIGH" of at least three numbers, or nothing. Numbers are
// written as they stand: "01-03" keeps its width, so names 01, 02, 03.
struct Range {
  std::uint32_t low = 0;
  std::uint32_t high = 0;
  std::size_t width = 0;  // digits to pad to; 0 for none
};

std::optional<Range> parse_range(std::string_view piece) {
  const std::size_t dash = piece.find('-');
  if (dash == std::string_view::npos) return std::nullopt;
  const std::string_view low = piece.substr(0, dash);
  const std::string_view high = piece.substr(dash + 1);
  if (!all_digits(low) || !all_digits(high) || low.size() > 9 || high.size() > 9) {
    return std::nullopt;
  }
  Range range;
  std::from_chars(low.data(), low.data() + low.size(), range.low);
  std::from_chars(high.data(), high.data() + high.size(), range.high);
  // Two numbers are never joined into a range, so "TB1-2" is a tag of its own.
  if (range.high < range.low + 2 || range.high - range.low >= kMaxRangeLength) return std::nullopt;
  if (low.size() > 1 && low.front() == '0') range.width = low.size();
  return range;
}

std::string padded(std::uint32_t number, std::size_t width) {
  std::string digits = std::to_string(number);
  if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
  return digits;
}

// Appends the tags one piece names after `prefix`.
void add_piece(std::string_view prefix, std::string_view piece, std::vector<std::string>& out,
               std::size_t limit) {
  if (const std::optional<Range> range = parse_range(piece)) {
    for (std::uint32_t n = range->low; n <= range->high && out.size() <= limit; ++n) {
      out.push_back(std::string(prefix) + padded(n, range->width));
    }
    return;
  }
  std::string tag(prefix);
  tag += piece;
  if (!tag.empty()) out.push_back(std::move(tag));
}

std::size_t family_length(std::string_view tag, const std::vector<std::string>& prefixes) {
  std::size_t best = 0;
  for (const std::string& p : prefixes) {
    if (p.size() > best && tag.starts_with(p)) best = p.size();
  }
  return best;
}

std::vector<std::string> split_limited(std::string_view cell,
                                       const std::vector<std::string>& prefixes,
                                       std::size_t limit) {
  std::vector<std::string> tags;
  cell = without_trailing_blanks(cell);
  if (cell.empty()) return tags;
  const std::size_t comma = cell.find(',');
  const std::string_view first = cell.substr(0, comma);
  const std::string_view prefix = first.substr(0, family_length(first, prefixes));
  add_piece(prefix, first.substr(prefix.size()), tags, limit);
  std::string_view rest =
      comma == std::string_view::npos ? std::string_view{} : cell.substr(comma + 1);
  bool more = comma != std::string_view::npos;
  while (more && tags.size() <= limit) {
    const std::size_t next = rest.find(',');
    add_piece(prefix, rest.substr(0, next), tags, limit);
    more = next != std::string_view::npos;
    if (more) rest.remove_prefix(next + 1);
  }
  return tags;
}

std::string_view cell_of(const ListedRow& row, int column) {
  if (!is_column(column)) return {};
  return row.cells[static_cast<std::size_t>(column)];
}

PartKey key_of(const ListedRow& row, const ColumnMap& map) {
  auto text = [&](int column) {
    return std::string(without_trailing_blanks(cell_of(row, column)));
  };
  return PartKey{text(map.part_name), text(map.maker), text(map.spec), text(map.type),
                 text(map.supply)};
}

// A key as one text: no cell holds a NUL byte (the reader refuses files with one).
std::string joined(const PartKey& key) {
  std::string out;
  for (const std::string* field : {&key.name, &key.maker, &key.spec, &key.type, &key.supply}) {
    out += *field;
    out += '\0';
  }
  return out;
}

// The tags of `from` that `other` lacks, in the order of `from`.
std::vector<std::string> tags_missing_from(const std::vector<std::string>& from,
                                           const std::vector<std::string>& other) {
  const std::unordered_set<std::string_view> present(other.begin(), other.end());
  std::vector<std::string> out;
  for (const std::string& tag : from) {
    if (!present.contains(tag)) out.push_back(tag);
  }
  return out;
}

std::optional<std::vector<GatheredPart>> read_and_gather(const std::string& path,
                                                         const ComparisonRules& rules,
                                                         Notifier& notifier) {
  const std::optional<std::vector<ListedRow>> rows = read_parts_list_file(path, notifier);
  if (!rows) return std::nullopt;
  GatheredList gathered = gather_parts(*rows, rules.map, rules.prefixes);
  if (gathered.fault) {
    notifier.warn(describe_list_fault(*gathered.fault), msg::kTitleFileError, path);
    return std::nullopt;
  }
  return std::move(gathered.parts);
}

}  // namespace

std::vector<std::string> family_prefixes(const BasePartsStore& base) {
  std::vector<std::string> out;
  for (const BasePartEntry& e : stored_entries(base)) {
    if (!e.tag.empty()) out.push_back(sjis_to_utf8(e.tag));
  }
  return out;
}

std::vector<std::string> split_tag_cell(std::string_view cell,
                                        const std::vector<std::string>& prefixes) {
  return split_limited(cell, prefixes, kMaxListedTags);
}

GatheredList gather_parts(const std::vector<ListedRow>& rows, const ColumnMap& map,
                          const std::vector<std::string>& prefixes) {
  GatheredList out;
  std::unordered_map<std::string, std::size_t> index;
  std::vector<std::unordered_set<std::string>> seen;
  std::size_t tag_count = 0;
  for (const ListedRow& row : rows) {
    PartKey key = key_of(row, map);
    const auto [at, inserted] = index.try_emplace(joined(key), out.parts.size());
    if (inserted) {
      out.parts.push_back(GatheredPart{std::move(key), 0, {}});
      seen.emplace_back();
    }
    GatheredPart& part = out.parts[at->second];
    part.quantity += c_atoi(cell_of(row, map.quantity));
    std::vector<std::string> tags =
        split_limited(cell_of(row, map.tag), prefixes, kMaxListedTags - tag_count);
    tag_count += tags.size();
    if (tag_count > kMaxListedTags) {
      return GatheredList{{}, ListFaultAt{ListFault::TooManyTags, row.line, 0}};
    }
    for (std::string& tag : tags) {
      if (seen[at->second].insert(tag).second) part.tags.push_back(std::move(tag));
    }
  }
  return out;
}

Comparison compare_gathered(const std::vector<GatheredPart>& old_parts,
                            const std::vector<GatheredPart>& new_parts) {
  std::unordered_map<std::string, std::size_t> old_index;
  for (std::size_t i = 0; i < old_parts.size(); ++i) old_index.emplace(joined(old_parts[i].key), i);
  std::vector<bool> matched(old_parts.size(), false);

  Comparison out;
  for (const GatheredPart& now : new_parts) {
    const auto found = old_index.find(joined(now.key));
    if (found == old_index.end()) {
      out.changes.push_back({ChangeKind::Added, now.key, 0, now.quantity, now.tags, {}});
      continue;
    }
    const GatheredPart& before = old_parts[found->second];
    matched[found->second] = true;
    PartChange change{ChangeKind::Changed,
                      now.key,
                      before.quantity,
                      now.quantity,
                      tags_missing_from(now.tags, before.tags),
                      tags_missing_from(before.tags, now.tags)};
    if (change.old_quantity == change.new_quantity && change.tags_added.empty() &&
        change.tags_removed.empty()) {
      ++out.unchanged;
    } else {
      out.changes.push_back(std::move(change));
    }
  }
  for (std::size_t i = 0; i < old_parts.size(); ++i) {
    if (matched[i]) continue;
    const GatheredPart& gone = old_parts[i];
    out.changes.push_back({ChangeKind::Removed, gone.key, gone.quantity, 0, {}, gone.tags});
  }
  return out;
}

std::optional<Comparison> compare_parts_list_files(const std::string& old_path,
                                                   const std::string& new_path,
                                                   const ComparisonRules& rules,
                                                   Notifier& notifier) {
  const std::optional<std::vector<GatheredPart>> old_parts =
      read_and_gather(old_path, rules, notifier);
  if (!old_parts) return std::nullopt;
  const std::optional<std::vector<GatheredPart>> new_parts =
      read_and_gather(new_path, rules, notifier);
  if (!new_parts) return std::nullopt;
  return compare_gathered(*old_parts, *new_parts);
}

std::optional<Comparison> compare_with_current_list(const Workspace& ws,
                                                    const std::string& old_path,
                                                    Notifier& notifier) {
  const std::vector<std::string> prefixes = family_prefixes(ws.base_parts);
  const ComparisonRules rules{ws.settings.column_map, prefixes};
  const std::optional<std::vector<GatheredPart>> old_parts =
      read_and_gather(old_path, rules, notifier);
  if (!old_parts) return std::nullopt;
  // The list as the writer would write it now, read back as its file would be.
  const ListedFile current =
      parse_parts_list(format_parts_list(ws.parts, Selection::All, ws.settings.column_map.supply));
  GatheredList gathered = current.fault
                              ? GatheredList{{}, current.fault}
                              : gather_parts(current.rows, ws.settings.column_map, prefixes);
  if (gathered.fault) {
    notifier.warn(describe_list_fault(*gathered.fault), msg::kTitleFileError);
    return std::nullopt;
  }
  return compare_gathered(*old_parts, gathered.parts);
}

}  // namespace korvane
