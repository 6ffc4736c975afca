// Reading a parts list file that the writer made (CSV or TXT: the same lines), in Shift-JIS or
// in UTF-8 with a byte-order mark, into rows of eight Unicode (UTF-8) cells, so that two files
// of either encoding compare alike.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "parts/parts_list.h"

namespace korvane {

class Notifier;

// One line of a parts list: its eight cells in UTF-8, and the line of the file it begins on.
struct ListedRow {
  PartsRow cells;
  std::size_t line = 0;

  bool operator==(const ListedRow&) const = default;
};

// Why bytes are not a parts list.
enum class ListFault {
  CellCount,       // a line without exactly eight cells
  UnclosedQuote,   // a quoted cell that the file ends inside
  TextAfterQuote,  // something other than a comma or the line's end after a closing quote
  NotUtf8,         // a file with a UTF-8 byte-order mark holds bytes that are not UTF-8
  NotText,         // a NUL byte: a binary file, or UTF-16 text
  TooManyTags,     // more tag numbers than any drawing set holds (see kMaxListedTags)
  TooLarge,        // more than io::kListFileLimit bytes
};

struct ListFaultAt {
  ListFault fault = ListFault::CellCount;
  std::size_t line = 0;   // 1-based; 0 when the fault belongs to no line (TooLarge)
  std::size_t cells = 0;  // CellCount: how many cells the line has

  bool operator==(const ListFaultAt&) const = default;
};

struct ListedFile {
  std::vector<ListedRow> rows;
  std::optional<ListFaultAt> fault;  // set: the bytes are not a parts list, `rows` is empty
};

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The rows of a parts list file's bytes. Cells may be quoted or bare; a quoted cell may hold
// commas, doubled quotes and line breaks. Lines end in CR LF, LF or CR; empty lines are skipped.
ListedFile parse_parts_list(std::string_view bytes);

// The fault in words (Shift-JIS), for a message: "部品表ファイルとして読めません（3行目：...）".
std::string describe_list_fault(const ListFaultAt& fault);

// Reads and parses the file at `path`. When it cannot be read or is no parts list the user is
// told, naming the file (and the line), and the result is nothing.
std::optional<std::vector<ListedRow>> read_parts_list_file(const std::string& path,
                                                           Notifier& notifier);

}  // namespace korvane
