#ifdef _WIN32

#include <windows.h>

#include "text/encoding.h"

namespace korvane {
namespace {

std::wstring to_wide(UINT code_page, std::string_view in) {
  if (in.empty()) return {};
  const int n =
      MultiByteToWideChar(code_page, 0, in.data(), static_cast<int>(in.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(code_page, 0, in.data(), static_cast<int>(in.size()), out.data(), n);
  return out;
}

std::string from_wide(UINT code_page, const std::wstring& in, bool* ok) {
  if (in.empty()) return {};
  BOOL used_default = FALSE;
  BOOL* flag = code_page == CP_UTF8 ? nullptr : &used_default;
  const int n =
      WideCharToMultiByte(code_page, WC_NO_BEST_FIT_CHARS * (code_page != CP_UTF8), in.data(),
                          static_cast<int>(in.size()), nullptr, 0, nullptr, flag);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(code_page, WC_NO_BEST_FIT_CHARS * (code_page != CP_UTF8), in.data(),
                      static_cast<int>(in.size()), out.data(), n, nullptr, flag);
  if (ok && used_default) *ok = false;
  return out;
}

}  // namespace

std::string sjis_to_utf8(std::string_view sjis) {
  return from_wide(CP_UTF8, to_wide(932, sjis), nullptr);
}

std::string utf8_to_sjis(std::string_view utf8, bool* ok) {
  if (ok) *ok = true;
  return from_wide(932, to_wide(CP_UTF8, utf8), ok);
}

std::string code_point_to_sjis(char32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return {};
  std::wstring wide;
  if (cp >= 0x10000) {
    wide += static_cast<wchar_t>(0xD800 + ((cp - 0x10000) >> 10));
    wide += static_cast<wchar_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
  } else {
    wide += static_cast<wchar_t>(cp);
  }
  bool ok = true;
  std::string out = from_wide(932, wide, &ok);
  return ok ? out : std::string();
}

}  // namespace korvane

#endif
