// The rules that take the text entities out of a drawing's group pairs, whichever form (ASCII or
// binary) the pairs come from: the tokenisers of the two forms both feed one DxfTextRules.
//
// Only the ENTITIES section is collected: for every entity that is a text (entity name "TEXT" or
// "ATTRIB", or a subclass marker "AcDbText" / "AcDbMText") the first group 1, 10 and 20 values
// make one record. The HEADER says how text bytes are kept: drawings of AC1021 and later
// ($ACADVER) hold UTF-8, older ones the code page $DWGCODEPAGE names; every text is kept as
// Shift-JIS, see DxfTextConverter.
#pragma once

#include <cstdint>
#include <string_view>

#include "dxf/dxf_text_value.h"
#include "dxf/text_table.h"
#include "text/sjis.h"

namespace korvane {

// A longer value (an ASCII line, a binary string) is seen through its first kDxfValueKeep bytes,
// and never as a group code. This bounds memory whatever the file holds, and is far beyond any
// value the reader uses.
inline constexpr std::size_t kDxfValueKeep = 4096;
// No DXF value is anywhere near this long: a longer one means the file is no DXF (a file of
// zeros, say), and the read stops instead of scanning it to its end.
inline constexpr std::size_t kDxfValueLimit = std::size_t{1} << 20;

// As the C library's decimal-to-double conversion: leading white space skipped, as much as
// parses, 0.0 when nothing does. A value that is not a finite number (inf, nan, out of range)
// also gives 0.0, so that recognition only ever does arithmetic on real coordinates.
double parse_dxf_coordinate(std::string_view s);

class DxfTextRules {
 public:
  // Completed records are appended to `table`, which must outlive the rules.
  DxfTextRules(TextTable& table, DxfCodePage code_page)
      : table_(table), code_page_choice_(code_page) {}

  // A pair whose value is text: every pair of an ASCII drawing, the string pairs of a binary one.
  void take_pair(int code, std::string_view value);
  // False when take_pair(code, ...) would change nothing, as it would not for most pairs of a
  // drawing: the ASCII tokeniser skips those without a call.
  bool acts_on(int code) const {
    const unsigned c = code >= 0 && code < kOtherCodes ? static_cast<unsigned>(code) : kOtherCodes;
    return ((interest_[c >> 6] >> (c & 63)) & 1) != 0;
  }
  // A pair whose value a binary drawing stores as a real number.
  void take_real(int code, double value);
  // A pair of a binary drawing whose value is neither (an integer, binary data).
  void take_other();

  // True once the EOF marker was read: nothing after it counts.
  bool at_end() const { return at_end_; }

 private:
  enum class HeaderVariable : std::uint8_t { None, Version, CodePage };

  static constexpr int kOutside = 0;
  static constexpr int kNameAwaited = -1;
  static constexpr int kHeader = 1;
  static constexpr int kEntities = 5;

  static constexpr std::uint8_t kText = 1;
  static constexpr std::uint8_t kX = 2;
  static constexpr std::uint8_t kY = 4;
  static constexpr std::uint8_t kAll = kText | kX | kY;

  // acts_on: codes from here on (and negative ones) share one bit.
  static constexpr int kOtherCodes = 127;

  bool collecting() const { return section_ == kEntities && pending_ != 0; }
  void take_code_pair(int code, std::string_view value);
  void update_interest();
  void take_section_name(std::string_view value);
  void take_header_variable(std::string_view value);
  void take_version(std::string_view value);
  void take_code_page(std::string_view value);
  void choose_encoding();
  void take_text_value(std::string_view value);
  void take_coordinate(int code, double value);
  void complete_item(std::uint8_t item);

  TextTable& table_;
  DxfCodePage code_page_choice_;
  bool at_end_ = false;
  int section_ = kOutside;  // kNameAwaited, or 1 HEADER ... 5 ENTITIES, 6 OBJECTS
  HeaderVariable variable_ = HeaderVariable::None;  // the pair before named it, in the HEADER
  int version_ = 0;                                 // of $ACADVER: 1009 for AC1009; 0 none
  bool code_page_taken_ = false;                    // $DWGCODEPAGE named one to convert from
  DxfTextEncoding encoding_ = DxfTextEncoding::ShiftJis;
  DxfTextConverter converter_;
  std::uint8_t pending_ = 0;  // the items of the current text entity still to come
  TextRecord current_;
  // Bit c: take_pair may act on a pair of code c (kOtherCodes for all others). Updated whenever
  // the state it depends on changes.
  std::uint64_t interest_[2] = {1, 0};
};

}  // namespace korvane
