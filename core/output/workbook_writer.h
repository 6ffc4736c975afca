// The Excel workbook (.xlsx): sheet "部品表" with every row, then "支給品", "非購入品" and "購入品"
// with the rows the three-file output puts in its files 1, 2 and 3. Row 1 holds the column
// titles; the cells are those the CSV lines hold, in Unicode.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "output/parts_list_writer.h"
#include "parts/parts_list.h"

namespace korvane {

namespace io {
class ScratchFile;
}

// What a workbook holds, every text in UTF-8.
struct WorkbookSheet {
  std::string name;
  std::vector<std::array<std::string, kColumnCount>> rows;
};

struct WorkbookContent {
  std::array<std::string, kColumnCount> titles;
  std::array<int, kColumnCount> widths{};  // pixels; 0 or less leaves Excel's width
  int number_column = -1;                  // the column whose whole numbers are numbers
  std::vector<WorkbookSheet> sheets;
};

// The workbook of the parts list: the settings' column titles and widths, the quantity column's
// whole numbers as numbers, and the cells as output_cell gives them.
WorkbookContent workbook_content(const Workspace& ws);

// Whether a cell is a whole number and nothing else: an optional minus and 1 to 15 digits with
// no leading zero ("0" itself is one, "-0" is not). Such a cell is written as a number; "007",
// "1.5", " 2" or "2個" stay texts, so that the cell reads back as the text the CSV holds.
bool is_whole_number(std::string_view text);

// Writes the workbook into `file` with libxlsxwriter (its own temporary files go to the file's
// folder): the header row frozen and an autofilter over each sheet's table. False on failure.
bool save_workbook(const WorkbookContent& content, const io::ScratchFile& file);

// Names the workbook and writes it whole or not at all. `naming` Current: the current file name
// with its last 4 bytes replaced by ".xlsx" (kept as it is when it ends in ".xlsx";
// "default.xlsx" when there is none); otherwise the save dialog's name with ".xlsx" completed,
// and a cancelled dialog does nothing. The current file name is left as it is. A workbook that
// would replace an input is refused as the other outputs are; one that cannot be written, or a
// name too short to rewrite, shows "Excelブックが書き込めません" titled "ﾌｧｲﾙｴﾗｰ". Returns the path
// written, or nothing.
std::optional<std::string> write_workbook(Workspace& ws, Notifier& notifier, OutputNaming naming,
                                          const OutputFileDialog& dialog = {});

}  // namespace korvane
