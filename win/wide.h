// Conversion at the edge of the Win32 API: the core's Shift-JIS bytes <-> UTF-16, always with
// code page 932 whatever the system's ANSI code page is.
#pragma once

#include <string>
#include <string_view>

namespace korvane::win {

std::wstring widen(std::string_view sjis);
std::string narrow(std::wstring_view wide);

}  // namespace korvane::win
