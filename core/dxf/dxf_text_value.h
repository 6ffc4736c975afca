// A group 1 value of a drawing as the text table keeps it: Shift-JIS bytes with the \U+ and \M+
// escapes replaced, cut to the table's capacity.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "text/encoding.h"

namespace korvane {

enum class DxfTextEncoding {
  ShiftJis,  // drawings before AC1021: the bytes stand as they are
  Utf8,      // AC1021 and later
};

class DxfTextConverter {
 public:
  // The value converted to Shift-JIS, at most `capacity` - 1 bytes.
  //
  // - UTF-8 is converted character by character; a byte that is not well-formed UTF-8 is kept as
  //   it is.
  // - "\U+XXXX" (four hex digits of either case) becomes that character, "\M+1XXXX" the two
  //   bytes XXXX of a Shift-JIS double-byte character. Other \M+ code pages and escapes of
  //   control characters stay as they stand.
  // - A character code page 932 cannot hold is written "\U+XXXX" in upper case (beyond U+FFFF as
  //   its UTF-16 pair), whether it came as an escape or as UTF-8.
  // - Shift-JIS is walked one character at a time, so a trail byte 0x5C never begins an escape.
  // - The cut never splits a character or a "\U+XXXX" written for one.
  std::string convert(std::string_view value, DxfTextEncoding encoding, std::size_t capacity);

 private:
  // Each returns the number of bytes of `value` taken at `pos` and appends what they become.
  std::size_t take_unit(std::string_view value, std::size_t pos, DxfTextEncoding encoding,
                        std::string& unit);
  std::size_t take_escape(std::string_view value, std::size_t pos, std::string& unit);  // 0: none
  void take_code_point(char32_t cp, std::string& unit);

  Cp932Encoder encoder_;
};

}  // namespace korvane
