// The command line of korvane-cli, parsed into plain options before anything runs.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "convert/passes.h"
#include "dxf/dxf_text_value.h"
#include "output/output_options.h"
#include "output/parts_list_writer.h"

namespace korvane::cli {

enum class Command { Convert, Check, Preview, Tune, Texts, Compare, Help, Version };

// How check prints the report and compare the differences.
enum class PrintFormat { Text, Json, Csv };

struct Options {
  Command command = Command::Help;
  // convert, check, preview and tune
  std::string ini;         // the settings file; Korvane.ini in the current folder by default
  bool ini_given = false;  // named by --ini: then it must exist
  std::optional<std::string> base;
  std::optional<std::string> words;
  // convert: the name the outputs are named from (given and empty: the writer's default name);
  // preview: the SVG file, "-" for stdout
  std::optional<std::string> out;
  std::optional<SaveLayout> layout;      // unset: the settings decide
  std::optional<OutputKind> kind;        // --csv, --txt, --xlsx; unset: the settings decide
  std::optional<TagListStyle> tag_list;  // unset: the settings decide
  std::optional<TextEncoding> encoding;  // unset: the settings decide
  std::vector<Pass> passes;
  // texts
  bool raw = false;
  // every command that reads drawings
  std::optional<DxfCodePage> code_page;  // unset: texts reads auto, the others dxf_codepage
  // check and compare
  PrintFormat format = PrintFormat::Text;
  // the files the command works on: drawings, or the OLD and the NEW parts list of compare
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
