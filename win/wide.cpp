#include "wide.h"

#include <windows.h>

#include "guarded_proc.h"
#include "platform/win32/code_page.h"
#include "text/messages.h"

namespace korvane::win {

std::wstring widen(std::string_view sjis) {
  if (sjis.empty()) return {};
  const int size = static_cast<int>(sjis.size());
  const int n = MultiByteToWideChar(932, 0, sjis.data(), size, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(932, 0, sjis.data(), size, out.data(), n);
  return out;
}

std::wstring widen_utf8(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, out.data(), n);
  return out;
}

std::string narrow(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int n = WideCharToMultiByte(932, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(932, 0, wide.data(), size, out.data(), n, nullptr, nullptr);
  return out;
}

std::optional<std::string> narrow_exactly(std::wstring_view wide) {
  return win32::to_cp932_exactly(wide);
}

std::optional<std::string> path_from_wide(HWND owner, std::wstring_view path) {
  std::optional<std::string> bytes = narrow_exactly(path);
  if (!bytes) {
    const std::wstring text = widen(msg::kPathNotShiftJis) + L"\n" + std::wstring(path);
    MessageBoxW(owner, text.c_str(), widen(msg::kTitleFileError).c_str(), MB_OK | MB_ICONWARNING);
  }
  return bytes;
}

void report_out_of_memory(HWND window) noexcept {
  // Literals: converting the table's texts would itself allocate.
  MessageBoxW(window, L"メモリが足りません。", L"メモリオーバー", MB_OK | MB_ICONWARNING);
}

}  // namespace korvane::win
