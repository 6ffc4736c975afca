// Conversion between Shift-JIS (code page 932) and Unicode.
//
// Natively the tables are glibc's iconv ("CP932"); on Windows they are MultiByteToWideChar /
// WideCharToMultiByte with code page 932. The two disagree on a handful of code points; the rules
// below settle those, so that both give the same bytes for every code point.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace korvane {

// Shift-JIS to UTF-8. A byte sequence that is not code page 932 comes out as U+FFFD.
std::string sjis_to_utf8(std::string_view sjis);

// UTF-8 to Shift-JIS, by code_point_to_sjis. `ok` (when given) becomes false if some character
// has no code page 932 form or some byte is not well-formed UTF-8; each comes out as "?".
std::string utf8_to_sjis(std::string_view utf8, bool* ok = nullptr);

// One Unicode code point as code page 932 bytes; empty when code page 932 cannot hold it.
// - Only round trips count: a code point is held when its bytes read back as that code point.
// - Exception: the JIS forms of the seven characters where plain Shift_JIS and code page 932
//   differ (U+301C 〜, U+2016 ‖, U+2212 −, U+2014 —, U+00A2 ¢, U+00A3 £, U+00AC ¬) give the bytes
//   of their code page 932 twins (～ ∥ － ― ￠ ￡ ￢): drawings from non-Windows programs carry
//   them.
// - ¥ and ‾ are not held: their Shift_JIS bytes are the backslash and the tilde here.
// - U+0080 and U+F8F0-U+F8F3 are not held: Windows maps them to bytes that are no characters.
// - Nothing beyond U+FFFF is held.
std::string code_point_to_sjis(char32_t cp);

// The next character of UTF-8 text at `pos`: its code point and length. A byte that does not
// begin a well-formed sequence (overlong, surrogate, beyond U+10FFFF, cut short) gives
// `length` 0 and is left to the caller.
struct Utf8Char {
  char32_t code_point = 0;
  std::size_t length = 0;
};
Utf8Char decode_utf8_char(std::string_view text, std::size_t pos);

// code_point_to_sjis for converting many texts: every answer is remembered, so the platform
// tables are asked once per distinct character, not once per character.
class Cp932Encoder {
 public:
  // Appends the code page 932 bytes of `cp` to `out`; false, appending nothing, when
  // code page 932 cannot hold it.
  bool append(char32_t cp, std::string& out);

 private:
  // Per BMP code point, made on first use: 0 not asked yet, 1 not held, else
  // 1 << 24 | length << 16 | bytes.
  std::unique_ptr<std::uint32_t[]> known_;
};

// sjis_to_utf8 for converting many texts, with the same result byte for byte: the UTF-8 form of
// each byte and each two-byte character is asked of the platform once and remembered in a table.
// A text with a byte sequence that is not one character of code page 932 goes to sjis_to_utf8
// whole, so that whatever the platform makes of it stands.
class SjisToUtf8Converter {
 public:
  // Appends sjis_to_utf8(sjis) to `out`.
  void append(std::string_view sjis, std::string& out);

 private:
  std::uint32_t single(unsigned char byte);
  std::uint32_t pair(unsigned char lead, unsigned char trail);

  // Per byte, and per lead and trail byte (made on the first pair): 0 not asked yet, 1 not one
  // character alone, else length << 24 | the UTF-8 bytes, first byte lowest.
  std::uint32_t singles_[256] = {};
  std::unique_ptr<std::uint32_t[]> pairs_;
};

}  // namespace korvane
