// The platform's code page tables, behind code_point_to_sjis and CodePageDecoder. Implemented once
// with iconv and once with the Win32 conversion functions.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace korvane::detail {

// The bytes the platform gives for one BMP code point that is not ASCII, or empty when it has
// none. Only mappings that read back as the same code point count.
std::string platform_code_point_to_cp932(char32_t cp);

// One code page's table, from bytes to Unicode.
class PlatformCodePage {
 public:
  static constexpr char32_t kLeadByte = 0xFFFFFFFE;  // one byte that begins a two-byte character
  static constexpr char32_t kUndefined = 0xFFFFFFFF;

  virtual ~PlatformCodePage() = default;
  // The code point of one character given whole: one byte, or a lead byte and a trail byte.
  virtual char32_t decode(std::string_view bytes) = 0;
};

// The table of `code_page`, or null when the platform has none.
std::unique_ptr<PlatformCodePage> open_platform_code_page(unsigned code_page);

}  // namespace korvane::detail
