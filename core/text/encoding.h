// Conversion between Shift-JIS (code page 932) and Unicode.
//
// Natively this is glibc's iconv ("CP932"); on Windows it is MultiByteToWideChar /
// WideCharToMultiByte with code page 932. Both must give the same bytes.
#pragma once

#include <string>
#include <string_view>

namespace korvane {

// Shift-JIS to UTF-8. A byte sequence that is not code page 932 comes out as U+FFFD.
std::string sjis_to_utf8(std::string_view sjis);

// UTF-8 to Shift-JIS. `ok` (when given) becomes false if some character has no code page 932
// form; such a character comes out as "?".
std::string utf8_to_sjis(std::string_view utf8, bool* ok = nullptr);

// One Unicode code point as code page 932 bytes; empty when code page 932 cannot hold it.
std::string code_point_to_sjis(char32_t code_point);

}  // namespace korvane
