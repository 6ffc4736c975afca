#include "options.h"

#include <array>
#include <ostream>
#include <string_view>

#include "platform.h"
#include "settings/settings.h"

namespace korvane::cli {
namespace {

enum CommandBit : unsigned {
  kConvertBit = 1,
  kTextsBit = 2,
  kCompareBit = 4,
  kCheckBit = 8,
  kPreviewBit = 16,
  kTuneBit = 32
};

using Apply = void (*)(Options&, std::string_view value, std::vector<std::string>& errors);

struct OptionSpec {
  std::string_view name;
  std::string_view value;  // what the value stands for; empty for a switch
  unsigned commands;
  int group;  // switches of one non-zero group exclude each other
  std::string_view help;
  Apply apply;
};

constexpr std::array kOptions{
    OptionSpec{"--ini", "FILE", kConvertBit | kCheckBit | kPreviewBit | kTuneBit | kCompareBit, 0,
               "settings file (default: Korvane.ini in the current folder), which must exist; "
               "when the default one does not exist the reset values are used, with no reference "
               "paths. Relative paths in it are taken from the current folder",
               [](Options& o, std::string_view v, std::vector<std::string>&) {
                 o.ini = v;
                 o.ini_given = true;
               }},
    OptionSpec{"--base", "FILE", kConvertBit | kCheckBit | kPreviewBit | kTuneBit | kCompareBit, 0,
               "base parts list (default: the part_file of the pair part_select picks); "
               "compare takes from it the family prefixes that merged tag cells leave out",
               [](Options& o, std::string_view v, std::vector<std::string>&) { o.base = v; }},
    OptionSpec{"--words", "FILE", kConvertBit | kCheckBit | kPreviewBit | kTuneBit, 0,
               "prohibited words (default: the kinsi_file of the pair part_select picks)",
               [](Options& o, std::string_view v, std::vector<std::string>&) { o.words = v; }},
    OptionSpec{"--out", "NAME", kConvertBit, 0,
               "name the output files are named from (default: the first DRAWING); \"\" gives "
               "default.csv / default.txt",
               [](Options& o, std::string_view v, std::vector<std::string>&) { o.out = v; }},
    OptionSpec{"--one-file", "", kConvertBit, 1,
               "all rows in one file, NAME with its extension replaced (default: file_save_mode)",
               [](Options& o, std::string_view, std::vector<std::string>&) {
                 o.layout = SaveLayout::OneFile;
               }},
    OptionSpec{"--three-files", "", kConvertBit, 1,
               "three files by supply class: NAME1 supplied, NAME2 not purchased, NAME3 purchased",
               [](Options& o, std::string_view, std::vector<std::string>&) {
                 o.layout = SaveLayout::ThreeFiles;
               }},
    OptionSpec{
        "--csv", "", kConvertBit, 2, "write .csv files (default: file_save_mode2)",
        [](Options& o, std::string_view, std::vector<std::string>&) { o.kind = OutputKind::Csv; }},
    OptionSpec{
        "--txt", "", kConvertBit, 2, "write .txt files (the same lines)",
        [](Options& o, std::string_view, std::vector<std::string>&) { o.kind = OutputKind::Txt; }},
    OptionSpec{
        "--xlsx", "", kConvertBit, 2,
        "write one Excel workbook, NAME with its extension replaced by .xlsx: sheets of "
        "every row and of the three supply classes (default: output_format; --csv, --txt "
        "or --three-files write text files)",
        [](Options& o, std::string_view, std::vector<std::string>&) { o.kind = OutputKind::Xlsx; }},
    OptionSpec{"--tag-list", "merged|sorted|ranges", kConvertBit, 0,
               "how merged tag numbers are written: as the merge joined them (PB2,1), sorted "
               "(PB1,2), or sorted with three or more consecutive numbers as a range (CR1-3,5) "
               "(default: tag_list)",
               [](Options& o, std::string_view v, std::vector<std::string>& errors) {
                 o.tag_list = parse_tag_list_style(v);
                 if (!o.tag_list) {
                   errors.push_back("--tag-list '" + native_to_utf8(v) +
                                    "': give merged, sorted or ranges");
                 }
               }},
    OptionSpec{"--encoding", "sjis|utf8", kConvertBit, 0,
               "encoding of .csv and .txt files: Shift-JIS, or UTF-8 with a byte order mark "
               "(default: output_encoding)",
               [](Options& o, std::string_view v, std::vector<std::string>& errors) {
                 o.encoding = parse_text_encoding(v);
                 if (!o.encoding) {
                   errors.push_back("--encoding '" + native_to_utf8(v) + "': give sjis or utf8");
                 }
               }},
    OptionSpec{"--passes", "all|none|LIST", kConvertBit | kCheckBit | kPreviewBit, 0,
               "conversion passes: all (the default: dedupe,complete,merge,sort), none, or a "
               "comma list of dedupe, complete, merge, sort, run in the order given",
               [](Options& o, std::string_view v, std::vector<std::string>& errors) {
                 if (!parse_pass_list(v, o.passes)) {
                   errors.push_back("--passes '" + native_to_utf8(v) +
                                    "': give all, none, or a comma list of dedupe, complete, "
                                    "merge, sort (no empty items)");
                 }
               }},
    OptionSpec{"--raw", "", kTextsBit, 0,
               "print the texts as the drawing holds them (Shift-JIS) instead of UTF-8",
               [](Options& o, std::string_view, std::vector<std::string>&) { o.raw = true; }},
    OptionSpec{"--codepage", "auto|932",
               kConvertBit | kCheckBit | kPreviewBit | kTuneBit | kTextsBit, 0,
               "the bytes of drawings before AC1021: auto reads them in the code page their "
               "header names ($DWGCODEPAGE), 932 takes them as Shift-JIS whatever it names "
               "(default: auto for texts, dxf_codepage of the settings for the others)",
               [](Options& o, std::string_view v, std::vector<std::string>& errors) {
                 if (v != "auto" && v != "932") {
                   errors.push_back("--codepage '" + native_to_utf8(v) + "': give auto or 932");
                   return;
                 }
                 o.code_page = dxf_code_page_option(v);
               }},
    OptionSpec{"--format", "text|json|csv", kCheckBit | kCompareBit, 0,
               "how check prints the report and compare the differences. text (the default): "
               "check prints a line a finding, DRAWING:X,Y: KIND: TEXT: DETAIL, then a summary; "
               "compare a line a difference, + added, - removed, ~ changed, then a count. json: "
               "check the findings, compare {\"added\", \"removed\", \"changed\", "
               "\"unchanged\"}. csv: for a spreadsheet, UTF-8 with a byte-order mark",
               [](Options& o, std::string_view v, std::vector<std::string>& errors) {
                 if (v == "text") {
                   o.format = PrintFormat::Text;
                 } else if (v == "json") {
                   o.format = PrintFormat::Json;
                 } else if (v == "csv") {
                   o.format = PrintFormat::Csv;
                 } else {
                   errors.push_back("--format '" + native_to_utf8(v) + "': give text, json or csv");
                 }
               }},
    OptionSpec{
        "--out", "FILE.svg|-", kPreviewBit, 0,
        "preview: the SVG file to write (default: the first DRAWING with the ending .svg); - "
        "writes the SVG alone to stdout",
        [](Options& o, std::string_view v, std::vector<std::string>& errors) {
          if (v.empty()) {
            errors.emplace_back("--out '': give a file name, or - for stdout");
          } else {
            o.out = v;
          }
        }},
};

struct CommandSpec {
  std::string_view name;
  unsigned bit;
  Command command;
  std::string_view operands;  // as the usage shows them
  std::size_t operand_count;  // exactly this many; 0 for one or more
  std::string_view missing;   // the error when the count is not met
  std::string_view help;
};

constexpr std::array kCommands{
    CommandSpec{"convert", kConvertBit, Command::Convert, "DRAWING...", 0,
                "needs at least one DRAWING",
                "Reads the drawings into one text table, recognises the parts, runs the passes "
                "and writes the parts list. Each file written is printed on stdout."},
    CommandSpec{"check", kCheckBit, Command::Check, "DRAWING...", 0, "needs at least one DRAWING",
                "Reads and recognises the drawings as convert does, runs the passes, and prints "
                "the recognition report: every text that did not become a clean row, and why. "
                "Writes no file."},
    CommandSpec{"preview", kPreviewBit, Command::Preview, "DRAWING...", 0,
                "needs at least one DRAWING",
                "Reads and recognises the drawings as convert does, runs the passes, and writes "
                "the drawing preview: an SVG that shows every text in the colour of what it "
                "became (tag number, field of a part, other), the window of each tag number, and "
                "the texts the recognition report has findings about. Prints the file written."},
    CommandSpec{"tune", kTuneBit, Command::Tune, "DRAWING...", 0, "needs at least one DRAWING",
                "Reads and recognises the drawings as convert does and proposes pt_x and pt_y: "
                "the first line is exactly pt_x=N pt_y=M, then the line pitch and the column "
                "alignment found below the anchors, and the fields taken and the conflicts left "
                "with the proposal and with the current settings. Changes no file. Exits with 2 "
                "when no text is an anchor."},
    CommandSpec{"texts", kTextsBit, Command::Texts, "DRAWING...", 0, "needs at least one DRAWING",
                "Prints every text the drawings hold, one a line: x, a tab, y, a tab, the text."},
    CommandSpec{"compare", kCompareBit, Command::Compare, "OLD NEW", 2,
                "needs two parts lists, OLD and NEW",
                "Compares two parts lists that convert (or Korvane.exe) wrote, CSV or TXT, "
                "Shift-JIS or UTF-8 with a byte-order mark: the parts NEW adds, the parts it "
                "removes, and the parts whose quantity or tag numbers changed. A part is its part "
                "name, maker, specification, type and supply class, in the columns the settings "
                "give. Compare the files of a three-file output one pair at a time."},
};

constexpr std::size_t kHelpWidth = 80;

// The option of that name for the command; one for another command when the command has none
// (so the error can say it does not apply).
const OptionSpec* find_option(std::string_view name, unsigned command) {
  const OptionSpec* other = nullptr;
  for (const OptionSpec& spec : kOptions) {
    if (spec.name != name) continue;
    if ((spec.commands & command) != 0) return &spec;
    if (other == nullptr) other = &spec;
  }
  return other;
}

std::string shown(std::string_view arg) { return "'" + native_to_utf8(arg) + "'"; }

void parse_command_options(const std::vector<std::string>& args, const CommandSpec& command,
                           ParsedCommandLine& result) {
  Options& o = result.options;
  std::vector<std::string>& errors = result.errors;
  std::array<std::string_view, 3> group_choice{};
  std::array<bool, 3> group_reported{};
  bool options_ended = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!options_ended && arg == "--") {
      options_ended = true;
      continue;
    }
    // "-" alone is a file name like any other.
    if (options_ended || arg.size() < 2 || arg[0] != '-') {
      o.drawings.push_back(arg);
      continue;
    }
    const std::size_t equals = arg.find('=');
    const std::string_view name = std::string_view(arg).substr(0, equals);
    const OptionSpec* spec = arg.starts_with("--") ? find_option(name, command.bit) : nullptr;
    if (spec == nullptr) {
      errors.push_back("unknown option " + shown(name));
      continue;
    }
    std::string_view value;
    if (!spec->value.empty()) {
      if (equals != std::string::npos) {
        value = std::string_view(arg).substr(equals + 1);
      } else if (i + 1 < args.size()) {
        value = args[++i];
      } else {
        errors.push_back(std::string(spec->name) + " needs a value (" + std::string(spec->value) +
                         ")");
        continue;
      }
    } else if (equals != std::string::npos) {
      errors.push_back(std::string(spec->name) + " takes no value");
      continue;
    }
    if ((spec->commands & command.bit) == 0) {
      errors.push_back(std::string(spec->name) + " does not apply to " + std::string(command.name));
      continue;
    }
    if (spec->group != 0) {
      std::string_view& chosen = group_choice[static_cast<std::size_t>(spec->group)];
      if (chosen.empty()) chosen = spec->name;
      if (chosen != spec->name) {
        bool& reported = group_reported[static_cast<std::size_t>(spec->group)];
        if (!reported) {
          errors.push_back(std::string(chosen) + " and " + std::string(spec->name) +
                           " cannot be used together");
        }
        reported = true;
        continue;
      }
    }
    spec->apply(o, value, errors);
  }
  // The workbook holds the three supply classes itself.
  if (o.kind == OutputKind::Xlsx && o.layout == SaveLayout::ThreeFiles) {
    errors.emplace_back("--xlsx and --three-files cannot be used together");
  }
  const bool counted =
      command.operand_count == 0 ? !o.drawings.empty() : o.drawings.size() == command.operand_count;
  if (!counted) errors.push_back(std::string(command.name) + " " + std::string(command.missing));
}

// One usage line per command, wrapped under its own start.
void print_usage(std::ostream& out, const CommandSpec& command) {
  std::vector<std::string> items;
  for (std::size_t i = 0; i < kOptions.size(); ++i) {
    const OptionSpec& spec = kOptions[i];
    if ((spec.commands & command.bit) == 0) continue;
    std::string item = "[" + std::string(spec.name);
    if (!spec.value.empty()) item += " " + std::string(spec.value);
    if (spec.group != 0) {
      if (i > 0 && kOptions[i - 1].group == spec.group) continue;
      for (std::size_t j = i + 1; j < kOptions.size() && kOptions[j].group == spec.group; ++j) {
        item += " | " + std::string(kOptions[j].name);
      }
    }
    items.push_back(item + "]");
  }
  items.emplace_back(command.operands);
  const std::string start = "  korvane-cli " + std::string(command.name) + " ";
  std::string line = start;
  for (const std::string& item : items) {
    if (line.size() > start.size() && line.size() + 1 + item.size() > kHelpWidth) {
      out << line << "\n";
      line = std::string(start.size(), ' ');
    } else if (line.size() > start.size()) {
      line += ' ';
    }
    line += item;
  }
  out << line << "\n";
}

// `text` in lines of at most kHelpWidth columns, each starting with `indent` spaces.
void print_wrapped(std::ostream& out, std::string_view text, std::size_t indent) {
  std::string line(indent, ' ');
  while (!text.empty()) {
    const std::size_t space = text.find(' ');
    const std::string_view word = text.substr(0, space);
    text = space == std::string_view::npos ? std::string_view{} : text.substr(space + 1);
    if (line.size() > indent && line.size() + 1 + word.size() > kHelpWidth) {
      out << line << "\n";
      line.assign(indent, ' ');
    } else if (line.size() > indent) {
      line += ' ';
    }
    line += word;
  }
  out << line << "\n";
}

}  // namespace

ParsedCommandLine parse_command_line(const std::vector<std::string>& args) {
  ParsedCommandLine result;
  Options& o = result.options;
  o.ini = std::string(kSettingsFileName);
  parse_pass_list("all", o.passes);

  // --help and --version answer whatever else stands on the line.
  for (const std::string& arg : args) {
    if (arg == "--") break;
    if (arg == "--help" || arg == "-h") {
      o.command = Command::Help;
      return result;
    }
  }
  for (const std::string& arg : args) {
    if (arg == "--") break;
    if (arg == "--version") {
      o.command = Command::Version;
      return result;
    }
  }
  if (args.empty()) {
    result.errors.emplace_back("no command given (see korvane-cli --help)");
    return result;
  }
  for (const CommandSpec& command : kCommands) {
    if (args[0] == command.name) {
      o.command = command.command;
      parse_command_options(args, command, result);
      return result;
    }
  }
  result.errors.push_back((args[0].starts_with("-") ? "no command given before " + shown(args[0])
                                                    : "unknown command " + shown(args[0])) +
                          " (see korvane-cli --help)");
  return result;
}

void print_help(std::ostream& out) {
  out << "korvane-cli " KORVANE_VERSION " - parts lists from electrical drawings (DXF)\n\n"
      << "Usage:\n";
  for (const CommandSpec& command : kCommands) print_usage(out, command);
  out << "  korvane-cli --help | --version\n\n";
  for (const CommandSpec& command : kCommands) {
    out << command.name << ":\n";
    print_wrapped(out, command.help, 2);
  }
  out << "\nOptions:\n";
  for (const OptionSpec& spec : kOptions) {
    std::string head = "  " + std::string(spec.name);
    if (!spec.value.empty()) head += " " + std::string(spec.value);
    out << head << "\n";
    print_wrapped(out, spec.help, 6);
  }
  out << "  --help, -h\n      show this help\n"
      << "  --version\n      show the version\n\n"
      << "Options may stand before, between or after the files; \"--\" ends them.\n"
      << "Messages go to stderr in UTF-8.\n\n"
      << "Exit status:\n"
      << "  0  success (an empty parts list writes nothing and says so; findings of the\n"
      << "     recognition report are no failure: convert counts them on stderr, check prints\n"
      << "     them); compare: the lists are the same\n"
      << "  1  an unexpected failure\n"
      << "  2  bad usage, or an input or output file problem: a drawing, reference list or\n"
      << "     output file that cannot be read or written (the other drawings are still read\n"
      << "     and the output still written, except when a reference list fails); compare: a\n"
      << "     file that cannot be read or is no parts list (the message names its line)\n"
      << "  3  compare: the lists differ\n";
}

}  // namespace korvane::cli
