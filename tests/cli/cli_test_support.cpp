#include "cli_test_support.h"

#include <algorithm>

#ifdef _WIN32
#include <windows.h>
#endif

namespace korvane::test {
namespace {

namespace fs = std::filesystem;

// The tests may change folder; the build-time paths are made absolute while they still resolve.
const fs::path& test_data() {
  static const fs::path path = fs::absolute(fs::path(KORVANE_TEST_DATA) / "cli");
  return path;
}

const fs::path& samples() {
  static const fs::path path = fs::absolute(fs::path(KORVANE_SOURCE_DIR) / "samples");
  return path;
}

// The program under test. A Windows test program looks beside itself first: under Wine the
// build path has no drive letter and would resolve against the current drive.
const fs::path& cli_program() {
  static const fs::path path = [] {
#ifdef _WIN32
    wchar_t self[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (n > 0 && n < MAX_PATH) {
      const fs::path beside = fs::path(self).parent_path() / "korvane-cli.exe";
      if (fs::exists(beside)) return beside;
    }
#endif
    return fs::absolute(fs::path(KORVANE_CLI_EXE));
  }();
  return path;
}

std::string to_utf8(const fs::path& path) {
  const std::u8string u = path.u8string();
  return std::string(u.begin(), u.end());
}

}  // namespace

fs::path utf8_path(std::string_view utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string cli_golden(std::string_view name) { return read_file(test_data() / utf8_path(name)); }

void CliFolder::copy_samples() const {
  for (const std::string& name : kSampleFiles) fs::copy_file(samples() / name, path() / name);
}

void CliFolder::copy_data(std::string_view name, std::string_view as) const {
  fs::copy_file(test_data() / utf8_path(name), path() / utf8_path(as.empty() ? name : as));
}

void CliFolder::write(std::string_view name, std::string_view bytes) const {
  write_file(path() / utf8_path(name), bytes);
}

std::string CliFolder::read(std::string_view name) const {
  return read_file(path() / utf8_path(name));
}

bool CliFolder::exists(std::string_view name) const { return fs::exists(path() / utf8_path(name)); }

std::vector<std::string> CliFolder::files() const {
  std::vector<std::string> names;
  for (const fs::directory_entry& e : fs::directory_iterator(path())) {
    names.push_back(to_utf8(e.path().filename()));
  }
  std::sort(names.begin(), names.end());
  return names;
}

ProcessResult CliFolder::run(const std::vector<std::string>& args) const {
  return run_process(cli_program(), args, path());
}

std::vector<std::string> with_samples(std::vector<std::string> args) {
  args.insert(args.end(), kSampleDrawings.begin(), kSampleDrawings.end());
  return args;
}

}  // namespace korvane::test
