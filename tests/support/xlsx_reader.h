// A small reader of the workbooks Korvane writes, for tests: the sheets in order, each cell's
// text or number, and each sheet's XML for what it says about panes and filters. Only what the
// writer uses is read: shared strings, numbers, stored or deflated ZIP entries.
#pragma once

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvane::test {

struct XlsxCell {
  std::string text;  // UTF-8; a number as its XML value ("2")
  bool number = false;

  bool operator==(const XlsxCell&) const = default;
};

struct XlsxSheet {
  std::string name;
  std::vector<std::vector<XlsxCell>> rows;  // from row 1, each as long as its last cell
  std::string xml;
};

// The sheets of a workbook, or nothing (with `error` saying why) when it cannot be read.
std::optional<std::vector<XlsxSheet>> read_xlsx(std::string_view bytes, std::string& error);

// The cells of every line of a CSV file as the parts list writer writes it (CR LF after each
// line, quotes removed, "" inside quotes standing for one).
std::vector<std::vector<std::string>> csv_rows(std::string_view file);

// Whether the sheet's rows after its title row hold the cells of a CSV file (Shift-JIS) in UTF-8,
// cell for cell; `why` tells the first difference.
bool sheet_matches_csv(const XlsxSheet& sheet, std::string_view csv, std::string& why);

}  // namespace korvane::test
