// The parts list writer: TXT or CSV files of all rows or of one supply class.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "convert/family_prefix.h"
#include "output/output_options.h"
#include "parts/parts_list.h"
#include "settings/settings.h"

namespace korvane {

class Notifier;
struct Settings;
struct Workspace;

// Which rows an output takes: all, or those of one supply class.
enum class Selection : int { All = 0, Supplied = 1, NotPurchased = 2, Purchased = 3 };

// How an output is named.
enum class OutputNaming {
  Dialog,           // the save dialog's name as it is
  DialogRewritten,  // the save dialog's name with its ending rewritten for the selection
  Current,          // no dialog: the current file name with its ending rewritten
};

// What write_parts_list writes: which rows, under which name.
struct OutputRequest {
  Selection selection = Selection::All;
  OutputNaming naming = OutputNaming::Current;
};

inline constexpr std::size_t kOutputCellCapacity = 256;  // at most 255 bytes of a cell go out

// The save dialog of the output commands, supplied by the front end: shows it for `kind` and
// returns the name the user confirmed (the writer completes its extension), or nothing when the
// user cancels or the dialog fails.
using OutputFileDialog = std::function<std::optional<std::string>(OutputKind kind)>;

// The save dialog's completion: ".txt" is appended unless the name ends in ".txt", ".Txt" or
// ".TXT" (".csv", ".Csv", ".CSV" for CSV; ".xlsx", ".Xlsx", ".XLSX" for the workbook). Any other
// spelling gets the extension appended.
std::string complete_output_extension(std::string_view name, OutputKind kind);

// The name with its ending replaced by position, counting bytes: selection 0 replaces the last 4
// with ".txt" / ".csv", selection 1 the last 4 with "1.txt" / "1.csv", selections 2 and 3 the
// last 5 with "2.txt" / "3.txt" (or .csv). The workbook takes ".xlsx" in place of the last 4,
// unless the name ends in ".xlsx", ".Xlsx" or ".XLSX" already. Nothing when the name is shorter
// than the part replaced.
std::optional<std::string> rewrite_output_ending(std::string_view name, Selection selection,
                                                 OutputKind kind);

// Where the last component of a path begins: after the last separator that is a character of its
// own ('/', and on Windows, where paths are Shift-JIS, also '\\' and ':', which a trail byte may
// look like).
std::size_t last_component_start(std::string_view name);

// Whether a row whose supply class cell holds `supply_cell` belongs to `selection`.
bool selection_takes(Selection selection, std::string_view supply_cell);

// How the cells of the list go out: the tag column's lists in the `tag_list` style, read after
// the family prefixes of the base parts list.
struct CellStyle {
  TagListStyle tag_list = TagListStyle::Merged;
  int tag_column = -1;  // none
  FamilyPrefixes families;
};

// The cell style of the workspace's settings and base parts list.
CellStyle output_cell_style(const Workspace& ws);

// A cell as every output writes it: in the cell style, cut to 255 bytes.
std::string output_cell(const PartsList& parts, int row, int column, const CellStyle& style);

// Whether a CSV cell must stand in double quotes: it holds a comma, a double quote, CR or LF.
bool csv_needs_quotes(std::string_view text);
// Appends `text` as a CSV cell: in double quotes with inner double quotes doubled when `quoted`,
// as it is otherwise.
void append_csv_field(std::string& line, std::string_view text, bool quoted);

// One output line: columns 0, 2, 3, 4, 5 in double quotes, 1, 6, 7 bare unless they hold a comma,
// a double quote, CR or LF; inner double quotes doubled; each cell cut to 255 bytes; CR LF.
std::string format_parts_line(const PartsList& parts, int row, const CellStyle& style = {});

// The whole file for a selection, the supply class read from column `supply_column`.
std::string format_parts_list(const PartsList& parts, Selection selection, int supply_column,
                              const CellStyle& style = {});

// The bytes of a CSV or TXT file in `encoding`: Shift-JIS as it is, or UTF-8 after a byte order
// mark (a byte sequence that is no code page 932 character becomes U+FFFD).
std::string encode_text_output(std::string_view sjis, TextEncoding encoding);

// Names the output by `request` (updating ws.current_file_name) and writes it whole or not at all.
// A file that cannot be written, a cancelled dialog or a name too short to rewrite shows
// "テキストファイルが開けません" titled "ﾌｧｲﾙｴﾗｰ". Returns the path written, or nothing.
std::optional<std::string> write_parts_list(Workspace& ws, Notifier& notifier,
                                            const OutputRequest& request,
                                            const OutputFileDialog& dialog = {});

// The three-file output: the supplied, the not-purchased and the purchased rows, named by one
// save dialog (`naming` Dialog or DialogRewritten: the dialog's name rewritten for the first,
// the name so made rewritten for the other two) or from the current file name (Current). Each file
// succeeds or fails on its own, but a cancelled dialog ends the output after its message: the
// two later calls would otherwise write "defaul2" / "defaul3" files nobody asked for. Returns the
// paths written, in order.
std::vector<std::string> write_three_files(Workspace& ws, Notifier& notifier, OutputNaming naming,
                                           const OutputFileDialog& dialog = {});

}  // namespace korvane
