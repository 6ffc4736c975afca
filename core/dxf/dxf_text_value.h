// A group 1 value of a drawing as the text table keeps it: Shift-JIS bytes with the \U+ and \M+
// escapes replaced, cut to the table's capacity.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "text/code_page.h"
#include "text/encoding.h"

namespace korvane {

enum class DxfTextEncoding {
  ShiftJis,  // drawings before AC1021 that name no other code page: the bytes stand as they are
  Utf8,      // AC1021 and later
  CodePage,  // drawings before AC1021 in the code page their header names (use_code_page)
};

// Where the bytes of a drawing before AC1021 come from (the option "dxf_codepage").
enum class DxfCodePage {
  Auto,   // the code page the header names ($DWGCODEPAGE); Shift-JIS when it names none
  Cp932,  // Shift-JIS always, for drawings whose header names a code page they were not written in
};

// The option's value: "932" says Cp932, anything else Auto.
DxfCodePage dxf_code_page_option(std::string_view value);

class DxfTextConverter {
 public:
  // The value converted to Shift-JIS, at most `capacity` - 1 bytes.
  //
  // - UTF-8, and a code page, are converted character by character; a byte that is not
  //   well-formed UTF-8, or that the code page leaves undefined, is kept as it is.
  // - "\U+XXXX" (four hex digits of either case) becomes that character, "\M+1XXXX" the two
  //   bytes XXXX of a Shift-JIS double-byte character. Other \M+ code pages and escapes of
  //   control characters stay as they stand.
  // - A character code page 932 cannot hold is written "\U+XXXX" in upper case (beyond U+FFFF as
  //   its UTF-16 pair), whether it came as an escape, as UTF-8 or from a code page.
  // - Shift-JIS and the double-byte code pages are walked one character at a time, so a trail
  //   byte 0x5C never begins an escape.
  // - The cut never splits a character or a "\U+XXXX" written for one.
  std::string convert(std::string_view value, DxfTextEncoding encoding, std::size_t capacity);

  // The code page of DxfTextEncoding::CodePage. False when it is none the converter takes (see
  // CodePageDecoder).
  bool use_code_page(unsigned code_page) { return decoder_.open(code_page); }

 private:
  // Each returns the number of bytes of `value` taken at `pos` and appends what they become.
  std::size_t take_unit(std::string_view value, std::size_t pos, DxfTextEncoding encoding,
                        std::string& unit);
  std::size_t take_escape(std::string_view value, std::size_t pos, std::string& unit);  // 0: none
  void take_code_point(char32_t cp, std::string& unit);
  CodePageChar decode(std::string_view value, std::size_t pos, DxfTextEncoding encoding);

  Cp932Encoder encoder_;
  CodePageDecoder decoder_;
};

}  // namespace korvane
