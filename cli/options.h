// The command line of korvane-cli, parsed into plain options before anything runs.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "convert/passes.h"
#include "output/output_options.h"
#include "output/parts_list_writer.h"

namespace korvane::cli {

enum class Command { Convert, Texts, Help, Version };

struct Options {
  Command command = Command::Help;
  // convert
  std::string ini;         // the settings file; Korvane.ini in the current folder by default
  bool ini_given = false;  // named by --ini: then it must exist
  std::optional<std::string> base;
  std::optional<std::string> words;
  std::optional<std::string> out;        // given and empty: the writer's default name
  std::optional<SaveLayout> layout;      // unset: the settings decide
  std::optional<OutputKind> kind;        // --csv, --txt, --xlsx; unset: the settings decide
  std::optional<TagListStyle> tag_list;  // unset: the settings decide
  std::optional<TextEncoding> encoding;  // unset: the settings decide
  std::vector<Pass> passes;
  // texts
  bool raw = false;
  // both
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
