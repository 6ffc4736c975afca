// Conversion at the edge of the Win32 API: the core's Shift-JIS bytes <-> UTF-16, always with
// code page 932 whatever the system's ANSI code page is.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace korvane::win {

std::wstring widen(std::string_view sjis);
// UTF-8 texts (a compared parts list holds any Unicode character).
std::wstring widen_utf8(std::string_view utf8);
std::string narrow(std::wstring_view wide);

// Code page 932 without best fit: nothing when a character has no Shift-JIS form.
std::optional<std::string> narrow_exactly(std::wstring_view wide);

// A path as the core's bytes. A path that code page 932 cannot hold would silently become a
// different path: it is refused with a message naming it, and the result is nothing.
std::optional<std::string> path_from_wide(HWND owner, std::wstring_view path);

}  // namespace korvane::win
