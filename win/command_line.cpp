#include "command_line.h"

#include <windows.h>

#include <shellapi.h>

#include "settings/settings.h"
#include "wide.h"

namespace korvane::win {
namespace {

std::wstring full_path(const std::wstring& path) {
  const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring full(size, L'\0');
  const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) return path;
  full.resize(length);
  return full;
}

}  // namespace

std::vector<std::wstring> paths_on_command_line() {
  int count = 0;
  LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!args) return {};
  std::vector<std::wstring> paths;
  for (int i = 1; i < count; ++i) {
    if (args[i][0] != L'\0') paths.push_back(full_path(args[i]));
  }
  LocalFree(args);
  return paths;
}

std::optional<std::string> settings_file_beside_program() {
  std::wstring program(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size()));
    if (length == 0) return std::nullopt;
    if (length < program.size()) {
      program.resize(length);
      break;
    }
    if (program.size() >= 32768) return std::nullopt;
    program.resize(program.size() * 2);
  }
  const std::size_t cut = program.rfind(L'\\');
  if (cut == std::wstring::npos) return std::nullopt;
  return narrow_exactly(program.substr(0, cut + 1) + widen(kSettingsFileName));
}

}  // namespace korvane::win
