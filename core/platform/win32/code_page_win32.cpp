#ifdef _WIN32

#include <windows.h>

#include "platform/win32/code_page.h"
#include "text/encoding.h"
#include "text/encoding_platform.h"

namespace korvane {

std::string sjis_to_utf8(std::string_view sjis) {
  if (sjis.empty()) return {};
  const int length = static_cast<int>(sjis.size());
  const int n = MultiByteToWideChar(932, 0, sjis.data(), length, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(932, 0, sjis.data(), length, wide.data(), n);
  const int m = WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(m), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, out.data(), m, nullptr, nullptr);
  return out;
}

namespace detail {

std::string platform_code_point_to_cp932(char32_t cp) {
  const wchar_t wide = static_cast<wchar_t>(cp);
  char bytes[4];
  BOOL used_default = FALSE;
  // Without best fit, only mappings that read back as the same character are given.
  const int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &wide, 1, bytes, sizeof bytes,
                                    nullptr, &used_default);
  if (n <= 0 || used_default) return {};
  return std::string(bytes, static_cast<std::size_t>(n));
}

namespace {

class Win32CodePage final : public PlatformCodePage {
 public:
  explicit Win32CodePage(unsigned code_page) : code_page_(code_page) {}

  char32_t decode(std::string_view bytes) override {
    wchar_t wide[2];
    const int n = MultiByteToWideChar(code_page_, MB_ERR_INVALID_CHARS, bytes.data(),
                                      static_cast<int>(bytes.size()), wide, 2);
    if (n == 1) return wide[0];
    if (n <= 0 && bytes.size() == 1 &&
        IsDBCSLeadByteEx(code_page_, static_cast<BYTE>(bytes[0])) != FALSE) {
      return kLeadByte;
    }
    return kUndefined;
  }

 private:
  unsigned code_page_;
};

}  // namespace

std::unique_ptr<PlatformCodePage> open_platform_code_page(unsigned code_page) {
  if (IsValidCodePage(code_page) == FALSE) return nullptr;
  return std::make_unique<Win32CodePage>(code_page);
}

}  // namespace detail
}  // namespace korvane

namespace korvane::win32 {

std::optional<std::string> to_cp932_exactly(std::wstring_view wide) {
  if (wide.empty()) return std::string();
  const int size = static_cast<int>(wide.size());
  BOOL lost = FALSE;
  const int n =
      WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0, nullptr, &lost);
  if (n <= 0 || lost) return std::nullopt;
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide.data(), size, out.data(), n, nullptr, &lost);
  if (lost) return std::nullopt;
  return out;
}

}  // namespace korvane::win32

#endif
