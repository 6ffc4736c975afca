// The command line of korvane-cli, parsed into plain options before anything runs.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "convert/passes.h"
#include "output/parts_list_writer.h"

namespace korvane::cli {

enum class Command { Convert, Check, Tune, Texts, Help, Version };

enum class ReportFormat { Text, Json, Csv };

struct Options {
  Command command = Command::Help;
  // convert, check and tune
  std::string ini;         // the settings file; Korvane.ini in the current folder by default
  bool ini_given = false;  // named by --ini: then it must exist
  std::optional<std::string> base;
  std::optional<std::string> words;
  std::optional<std::string> out;  // given and empty: the writer's default name
  std::optional<bool> one_file;    // unset: file_save_mode decides
  std::optional<OutputKind> kind;  // unset: file_save_mode2 decides
  std::vector<Pass> passes;
  // check
  ReportFormat format = ReportFormat::Text;
  // texts
  bool raw = false;
  // every command
  std::vector<std::string> drawings;
};

struct ParsedCommandLine {
  Options options;
  std::vector<std::string> errors;  // one line each, without the program name
};

// Parses the arguments (the program name left out). Every problem found is listed; the options
// are only meant to be used when there is none.
ParsedCommandLine parse_command_line(const std::vector<std::string>& args);

// The help text, built from the same table the parser uses.
void print_help(std::ostream& out);

}  // namespace korvane::cli
