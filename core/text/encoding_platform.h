// The platform's code page 932 table, behind code_point_to_sjis. Implemented once with iconv and
// once with the Win32 conversion functions.
#pragma once

#include <string>

namespace korvane::detail {

// The bytes the platform gives for one BMP code point that is not ASCII, or empty when it has
// none. Only mappings that read back as the same code point count.
std::string platform_code_point_to_cp932(char32_t cp);

}  // namespace korvane::detail
