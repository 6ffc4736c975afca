// What korvane-cli does differently on Windows: the command line, the console, and how the
// program's own byte strings (paths, arguments) are shown.
//
// The core keeps paths as the bytes it was given. On Windows those are Shift-JIS (the wide command
// line converted with code page 932, as the file layer widens them back); elsewhere they are the
// file system's own bytes, normally UTF-8.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvane::cli {

// Sets up stdout and stderr for the run and undoes it at the end: on Windows the streams write
// bytes untranslated and a console shows UTF-8.
class StandardStreams {
 public:
  StandardStreams();
  ~StandardStreams();
  StandardStreams(const StandardStreams&) = delete;
  StandardStreams& operator=(const StandardStreams&) = delete;

 private:
  [[maybe_unused]] unsigned previous_console_cp_ = 0;  // Windows: restored at the end
};

// The arguments after the program name as the core's byte strings. False, with `error` set, when
// an argument cannot be held in those bytes (on Windows: a character outside code page 932).
bool command_line_arguments(int argc, char** argv, std::vector<std::string>& args,
                            std::string& error);

// A path or argument in the core's bytes, as UTF-8 for a message or for stdout.
std::string native_to_utf8(std::string_view native);

}  // namespace korvane::cli
