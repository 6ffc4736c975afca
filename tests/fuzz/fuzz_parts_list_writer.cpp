// The parts list lines (the same for CSV and TXT files) on any cells: each line reads back, by
// the usual CSV rules, as exactly eight fields holding the cells as the writer cuts them (255
// bytes, never half a double-byte character), quoted where they must be; the files of the three
// supply classes share out the rows of the whole list. The tag lists as written: sorting keeps a
// cell's length, and the ranges stand for exactly the numbers the sorted list holds.
//
// Input: one byte that picks the supply class column and the tag lists' prefix length, then the
// cells, separated by NUL bytes, eight to a row.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "output/parts_list_writer.h"
#include "output/tag_list.h"
#include "parts/parts_list.h"
#include "text/sjis.h"

using namespace korvane;

namespace {

// Splits CSV text into records of fields: a field that starts with a double quote runs to the
// next lone double quote ("" stands for one); records end with CR LF outside quotes. Returns
// false when the text does not follow those rules (a stray quote, a record without its CR LF).
bool read_csv(std::string_view text, std::vector<std::vector<std::string>>& records,
              std::vector<std::vector<bool>>& quoted) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    records.emplace_back();
    quoted.emplace_back();
    for (;;) {
      std::string field;
      const bool in_quotes = pos < text.size() && text[pos] == '"';
      if (in_quotes) {
        for (++pos;; ++pos) {
          if (pos >= text.size()) return false;
          if (text[pos] == '"') {
            if (pos + 1 < text.size() && text[pos + 1] == '"') {
              field += '"';
              ++pos;
            } else {
              ++pos;
              break;
            }
          } else {
            field += text[pos];
          }
        }
      } else {
        while (pos < text.size() && text[pos] != ',' && text[pos] != '\r' && text[pos] != '"') {
          field += text[pos++];
        }
      }
      records.back().push_back(field);
      quoted.back().push_back(in_quotes);
      if (pos < text.size() && text[pos] == ',') {
        ++pos;
        continue;
      }
      if (text.substr(pos, 2) != "\r\n") return false;
      pos += 2;
      break;
    }
  }
  return true;
}

bool must_quote(int column, std::string_view cell) {
  return column == 0 || (column >= 2 && column <= 5) ||
         cell.find_first_of(",\"\r\n") != std::string_view::npos;
}

// The numbers of a tag list after its prefix, ranges expanded.
std::vector<long> numbers_of(std::string_view list, std::size_t prefix) {
  std::vector<long> out;
  std::string_view rest = list.substr(prefix);
  for (;;) {
    const std::size_t comma = rest.find(',');
    const std::string piece(rest.substr(0, comma));
    const std::size_t dash = piece.find('-');
    const long first = std::strtol(piece.c_str(), nullptr, 10);
    const long last =
        dash == std::string::npos ? first : std::strtol(&piece[dash + 1], nullptr, 10);
    for (long n = first; n <= last; ++n) out.push_back(n);
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  return out;
}

void check_tag_list(std::string_view cell, std::size_t prefix) {
  const std::string sorted = format_tag_list(cell, prefix, TagListStyle::Sorted);
  const std::string ranges = format_tag_list(cell, prefix, TagListStyle::Ranges);
  if (format_tag_list(cell, prefix, TagListStyle::Merged) != cell || sorted.size() != cell.size() ||
      ranges.size() > sorted.size()) {
    std::abort();
  }
  if (sorted == cell && ranges == cell) return;  // left as it is, or already in order
  if (sorted.substr(0, prefix) != cell.substr(0, prefix)) std::abort();
  const std::vector<long> numbers = numbers_of(sorted, prefix);
  for (std::size_t i = 1; i < numbers.size(); ++i) {
    if (numbers[i] < numbers[i - 1]) std::abort();
  }
  if (numbers_of(ranges, prefix) != numbers) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int si_no = data[0] % 10 - 1;  // -1 and 8 are outside the list
  const std::size_t tag_prefix = data[0] / 10 % 5;
  std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);

  PartsList parts;
  PartsRow row;
  int column = 0;
  for (;;) {
    const std::size_t end = rest.find('\0');
    row[static_cast<std::size_t>(column)] = std::string(rest.substr(0, end));
    if (++column == kColumnCount || end == std::string_view::npos) {
      parts.append_row(row);
      row = PartsRow{};
      column = 0;
    }
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + 1);
  }

  std::string all_lines;
  for (int r = 0; r < parts.row_count(); ++r) {
    const std::string line = format_parts_line(parts, r);
    std::vector<std::vector<std::string>> records;
    std::vector<std::vector<bool>> quoted;
    if (!read_csv(line, records, quoted) || records.size() != 1 ||
        records[0].size() != static_cast<std::size_t>(kColumnCount)) {
      std::abort();
    }
    for (int c = 0; c < kColumnCount; ++c) {
      const std::string& cell = parts.cell(r, c);
      const std::string& field = records[0][static_cast<std::size_t>(c)];
      if (field != cut_to_capacity(cell, kOutputCellCapacity) ||
          quoted[0][static_cast<std::size_t>(c)] != must_quote(c, field)) {
        std::abort();
      }
    }
    all_lines += line;
    check_tag_list(parts.cell(r, 0), tag_prefix);
  }

  if (format_parts_list(parts, Selection::All, si_no) != all_lines) std::abort();
  std::size_t shared_out = 0;
  for (const Selection selection :
       {Selection::Supplied, Selection::NotPurchased, Selection::Purchased}) {
    const std::string file = format_parts_list(parts, selection, si_no);
    std::vector<std::vector<std::string>> records;
    std::vector<std::vector<bool>> quoted;
    if (!read_csv(file, records, quoted)) std::abort();
    shared_out += records.size();
  }
  if (shared_out != static_cast<std::size_t>(parts.row_count())) std::abort();
  return 0;
}
