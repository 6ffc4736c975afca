#ifndef _WIN32

#include "platform.h"

namespace korvane::cli {

StandardStreams::StandardStreams() = default;
StandardStreams::~StandardStreams() = default;

bool command_line_arguments(int argc, char** argv, std::vector<std::string>& args,
                            std::string& /*error*/) {
  args.assign(argv + 1, argv + argc);
  return true;
}

// File names are the file system's bytes; the terminal is expected to show them as they are.
std::string native_to_utf8(std::string_view native) { return std::string(native); }

}  // namespace korvane::cli

#endif
