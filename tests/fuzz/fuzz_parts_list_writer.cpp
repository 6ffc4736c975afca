// The parts list lines (the same for CSV and TXT files) on any cells: each line reads back, by
// the usual CSV rules, as exactly eight fields holding the cells as the writer cuts them (255
// bytes, never half a double-byte character), quoted where they must be; the files of the three
// supply classes share out the rows of the whole list.
//
// Input: one byte that picks the supply class column, then the cells, separated by NUL bytes,
// eight to a row.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "output/parts_list_writer.h"
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int si_no = data[0] % 10 - 1;  // -1 and 8 are outside the list
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
