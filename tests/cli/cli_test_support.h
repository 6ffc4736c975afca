// Running the real korvane-cli in a fresh folder, and the files it leaves there.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "process_runner.h"
#include "test_support.h"

namespace korvane::test {

// A path from UTF-8 (file names in the tests are written in UTF-8).
std::filesystem::path utf8_path(std::string_view utf8);

// tests/data/cli/<name>.
std::string cli_golden(std::string_view name);

// A fresh temporary folder that the program runs in; inputs are copied in and named relatively,
// so that the output names and the paths printed do not depend on where the tests run.
class CliFolder {
 public:
  // The three sample drawings, the reference lists and Korvane.ini.
  void copy_samples() const;
  // A file of tests/data/cli, under its own name or `as`.
  void copy_data(std::string_view name, std::string_view as = {}) const;
  void write(std::string_view name, std::string_view bytes) const;
  std::string read(std::string_view name) const;
  bool exists(std::string_view name) const;
  // The names in the folder, sorted, in UTF-8.
  std::vector<std::string> files() const;

  ProcessResult run(const std::vector<std::string>& args) const;

  const std::filesystem::path& path() const { return dir_.path(); }

 private:
  TempDir dir_;
};

inline const std::vector<std::string> kSampleDrawings = {"main_circuit.dxf", "control_circuit.dxf",
                                                         "operation_board.dxf"};
inline const std::vector<std::string> kSampleFiles = {"main_circuit.dxf",     "control_circuit.dxf",
                                                      "operation_board.dxf",  "base_parts.txt",
                                                      "prohibited_words.txt", "Korvane.ini"};

// The line convert ends its messages with when the recognition report has findings.
inline std::string findings_line(int findings) {
  return "korvane-cli: " + std::to_string(findings) + " findings (korvane-cli check shows them)\n";
}
// The findings of the three sample drawings with the sample settings and lists.
inline constexpr int kSampleFindings = 76;

// `args` followed by the sample drawings.
std::vector<std::string> with_samples(std::vector<std::string> args);

}  // namespace korvane::test
