// The text entities of a DXF drawing, taken from its bytes as they arrive.
//
// A drawing is ASCII DXF (lines) or binary DXF (it begins with kDxfBinarySentinel); its first
// bytes say which, and the pairs of either go to the same rules (DxfTextRules).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "dxf/dxf_ascii_tokeniser.h"
#include "dxf/dxf_binary_tokeniser.h"
#include "dxf/dxf_text_rules.h"
#include "dxf/text_table.h"

namespace korvane {

enum class DxfParseResult {
  Read,    // read to its end, or to its EOF marker
  NotDxf,  // an ASCII line that should have been a group code was not (DWG, ...), or a binary
           // drawing was cut short or malformed
};

class DxfTextParser {
 public:
  static constexpr std::size_t kLineKeep = kDxfValueKeep;
  static constexpr std::size_t kLineLimit = kDxfValueLimit;

  // Completed records are appended to `table`, which must outlive the parser.
  explicit DxfTextParser(TextTable& table, DxfCodePage code_page = DxfCodePage::Auto)
      : rules_(table, code_page), ascii_(rules_), binary_(rules_) {}

  // The next bytes of the file, split anywhere. Ignored once stopped().
  void feed(std::string_view bytes);
  // The end of the file.
  DxfParseResult finish();

  // True once nothing more will be taken: the EOF marker was read, or the file is no DXF.
  bool stopped() const;

 private:
  enum class Form : std::uint8_t { Unknown, Ascii, Binary };

  void feed_ascii_head();

  DxfTextRules rules_;
  DxfAsciiTokeniser ascii_;
  DxfBinaryTokeniser binary_;
  Form form_ = Form::Unknown;
  std::string head_;  // the first bytes, while they may still be the binary sentinel
};

// Appends the texts of a whole drawing held in memory.
DxfParseResult parse_dxf_texts(std::string_view bytes, TextTable& table,
                               DxfCodePage code_page = DxfCodePage::Auto);

}  // namespace korvane
