// UTF-16 to code page 932 for paths, shared by the core's Win32 back end and the window program.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvane::win32 {

// Code page 932 without best fit: nothing when a character has no Shift-JIS form (a path would
// otherwise silently become another path).
std::optional<std::string> to_cp932_exactly(std::wstring_view wide);

}  // namespace korvane::win32
