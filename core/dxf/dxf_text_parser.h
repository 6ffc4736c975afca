// The text entities of an ASCII DXF drawing, taken from its bytes as they arrive.
//
// A drawing is a sequence of pairs: a group-code line, then its value line. Only the ENTITIES
// section is collected: for every entity that is a text (entity name "TEXT" or "ATTRIB", or a
// subclass marker "AcDbText" / "AcDbMText") the first group 1, 10 and 20 values make one record.
// Drawings of AC1021 and later ($ACADVER in the HEADER) hold UTF-8 text; every text is kept as
// Shift-JIS, see DxfTextConverter.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "dxf/dxf_text_value.h"
#include "dxf/text_table.h"

namespace korvane {

enum class DxfParseResult {
  Read,      // read to its end, or to its EOF marker
  NotAscii,  // a line that should have been a group code was not (binary DXF, DWG, ...)
};

class DxfTextParser {
 public:
  // A longer line is seen through its first kLineKeep bytes, and never as a group code. This
  // bounds memory whatever the file holds, and is far beyond any value the reader uses.
  static constexpr std::size_t kLineKeep = 4096;
  // No DXF line is anywhere near this long: a longer one means the file is no ASCII DXF (a file
  // of zeros, say), and the read stops instead of scanning it to its end.
  static constexpr std::size_t kLineLimit = std::size_t{1} << 20;

  // Completed records are appended to `table`, which must outlive the parser.
  explicit DxfTextParser(TextTable& table) : table_(table) {}

  // The next bytes of the file, split anywhere. Ignored once stopped().
  void feed(std::string_view bytes);
  // The end of the file: takes a last line that has no line end (a CR ending it is dropped
  // too, as in a file cut between CR and LF).
  DxfParseResult finish();

  // True once nothing more will be taken: the EOF marker was read, or the file is not ASCII DXF.
  bool stopped() const { return stopped_; }

 private:
  void take_carried_line();
  void take_whole_line(std::string_view kept, std::size_t length);
  void take_line(std::string_view line, bool truncated);
  void take_code_line(std::string_view line, bool truncated);
  void take_pair(int code, std::string_view value);
  void take_version(std::string_view value);
  void take_text_value(std::string_view value);
  void take_coordinate(double& field, std::uint8_t item, std::string_view value);
  void complete_item(std::uint8_t item);
  void refuse();

  TextTable& table_;

  // A line that began in an earlier block: its first bytes (at most kLineKeep + 1, enough to
  // tell whether it ends in CR) and its full length.
  std::string carry_;
  std::size_t carry_length_ = 0;

  bool first_line_ = true;
  bool expect_code_ = true;
  bool blank_code_line_ = false;  // a blank line stood where a group code was due
  bool stopped_ = false;
  bool not_ascii_ = false;
  int code_ = 0;
  int section_ = 0;           // 0 none, -1 name awaited, 1 HEADER ... 5 ENTITIES, 6 OBJECTS
  bool version_due_ = false;  // the pair before was group 9 "$ACADVER" in the HEADER
  DxfTextEncoding encoding_ = DxfTextEncoding::ShiftJis;
  DxfTextConverter converter_;
  std::uint8_t pending_ = 0;  // the items of the current text entity still to come
  TextRecord current_;
};

// Appends the texts of a whole drawing held in memory.
DxfParseResult parse_dxf_texts(std::string_view bytes, TextTable& table);

}  // namespace korvane
