// Scratch files on Windows: GetTempFileNameW in the temporary folder, named in the ANSI code page
// that the C library's fopen takes.
#ifdef _WIN32

#include <windows.h>

#include "io/scratch_file.h"

namespace korvane::io {
namespace {

// The ANSI code page form of `wide`, or nothing when a character has none.
std::optional<std::string> to_ansi_exactly(const std::wstring& wide) {
  if (wide.empty()) return std::string();
  const int size = static_cast<int>(wide.size());
  BOOL lossy = FALSE;
  const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0,
                                    nullptr, &lossy);
  if (n <= 0 || lossy) return std::nullopt;
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, out.data(), n, nullptr,
                      &lossy);
  if (lossy) return std::nullopt;
  return out;
}

std::wstring short_form(const std::wstring& path) {
  const DWORD n = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (n == 0) return path;
  std::wstring out(n, L'\0');
  const DWORD written = GetShortPathNameW(path.c_str(), out.data(), n);
  if (written == 0 || written >= n) return path;
  out.resize(written);
  return out;
}

}  // namespace

std::optional<ScratchFile> ScratchFile::create() {
  wchar_t temp[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
  if (length == 0 || length > MAX_PATH) return std::nullopt;
  const std::wstring folder = short_form(temp);
  wchar_t name[MAX_PATH] = {};
  // The name is made of the folder, "kvx" and four hexadecimal digits: ASCII after the folder.
  if (GetTempFileNameW(folder.c_str(), L"kvx", 0, name) == 0) return std::nullopt;
  const auto ansi_folder = to_ansi_exactly(folder);
  const auto ansi_name = to_ansi_exactly(name);
  if (!ansi_folder || !ansi_name) {
    DeleteFileW(name);
    return std::nullopt;
  }
  return ScratchFile(*ansi_name, *ansi_folder);
}

}  // namespace korvane::io

#endif
