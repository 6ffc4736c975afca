// Runs a program to its end and collects what it printed: the CLI tests drive the real binary,
// natively and as a Windows program under Wine.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace korvane::test {

struct ProcessResult {
  int status = -1;  // the exit status; -1 when the program could not be started or was killed
  std::string out;  // stdout bytes
  std::string err;  // stderr bytes
};

// Starts `program` with `args` (UTF-8; converted to wide characters on Windows) in the folder
// `cwd`, waits for it, and returns its exit status and output. stdin is empty.
ProcessResult run_process(const std::filesystem::path& program,
                          const std::vector<std::string>& args, const std::filesystem::path& cwd);

}  // namespace korvane::test
