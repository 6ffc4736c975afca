// Text in one of the Windows code pages a drawing may name for its bytes (ANSI_1252, DOS850,
// ANSI_936, ...), read one character at a time.
//
// Natively the tables are glibc's iconv; on Windows they are MultiByteToWideChar. The two differ
// in what they give for bytes a code page leaves undefined; the rules below settle that, so that
// both give the same characters for every byte.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace korvane {

namespace detail {
class PlatformCodePage;
}

// A character of a code page: its code point and its length in bytes (1 or 2). Length 0: the
// byte at that place begins no character the code page defines.
struct CodePageChar {
  char32_t code_point = 0;
  std::size_t length = 0;
};

// - Code pages of one byte a character (the DOS pages 437-869, 874, 1250-1258) and of one or two
//   (936, 949, 950) only; any other number is refused.
// - Undefined: a byte (or a lead byte and its trail byte) the table has no character for, one
//   the platform gives as a C1 control (U+0080-U+009F: Windows' stand-in for bytes a code page
//   leaves empty, 0x81 in 1252), or one it gives in the private use area (U+E000-U+F8FF: Windows'
//   stand-in for the user-defined rows of 936, 949 and 950, which mean nothing to another code
//   page).
// - Code page 1255 reads 0xCA as U+05BA, as Windows does (glibc leaves it undefined).
// - Every answer is remembered: the platform table is asked once per distinct byte or pair.
class CodePageDecoder {
 public:
  CodePageDecoder();
  ~CodePageDecoder();
  CodePageDecoder(const CodePageDecoder&) = delete;
  CodePageDecoder& operator=(const CodePageDecoder&) = delete;

  // Uses `code_page` from now on. False, the decoder then closed, when it is not one of the
  // code pages above or the platform cannot convert from it.
  bool open(unsigned code_page);

  // The character that begins at `pos` of `text` (pos < text.size()). Bytes below 0x80 are
  // ASCII in every code page taken.
  CodePageChar next(std::string_view text, std::size_t pos);

 private:
  std::uint32_t ask(std::string_view bytes);

  unsigned code_page_ = 0;
  std::unique_ptr<detail::PlatformCodePage> platform_;
  // Per byte, and per lead and trail byte (made on the first pair): 0 not asked yet, else
  // kUndefined, kLeadByte or kCharacter | code point.
  std::array<std::uint32_t, 256> bytes_{};
  std::unique_ptr<std::uint32_t[]> pairs_;
};

}  // namespace korvane
