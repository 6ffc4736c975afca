#include "output/parts_list_writer.h"

#include "io/file_io.h"
#include "notify.h"
#include "text/messages.h"
#include "text/sjis.h"
#include "workspace.h"

namespace korvane {

namespace {

constexpr std::string_view kDefaultName = "default";

std::string_view extension(OutputKind kind) { return kind == OutputKind::Txt ? ".txt" : ".csv"; }

bool is_quoted_column(int column) {
  return column == 0 || column == 2 || column == 3 || column == 4 || column == 5;
}

// A double quote, comma, CR or LF never occurs inside a Shift-JIS double-byte character (trail
// bytes are 0x40 and above), so a byte scan is safe.
bool needs_quotes(std::string_view text) {
  return text.find_first_of(",\"\r\n") != std::string_view::npos;
}

void append_field(std::string& line, std::string_view text, bool quoted) {
  if (!quoted) {
    line += text;
    return;
  }
  line += '"';
  for (char c : text) {
    if (c == '"') line += '"';
    line += c;
  }
  line += '"';
}

void report_cannot_write(Notifier& notifier) {
  notifier.notify(Message{std::string(msg::kTextFileCannotOpen), std::string(msg::kTitleFileError),
                          Buttons::Ok, Icon::Warning, true});
}

// The dialog's name with its extension completed, or empty when it was cancelled.
std::string ask_output_name(const OutputFileDialog& dialog, OutputKind kind) {
  if (!dialog) return {};
  const std::optional<std::string> chosen = dialog(kind);
  if (!chosen || chosen->empty()) return {};
  return complete_output_extension(*chosen, kind);
}

}  // namespace

OutputKind output_kind(const Settings& settings) {
  return settings.file_save_mode2 != 0 ? OutputKind::Txt : OutputKind::Csv;
}

std::string complete_output_extension(std::string_view name, OutputKind kind) {
  static constexpr std::string_view kTxt[] = {".txt", ".Txt", ".TXT"};
  static constexpr std::string_view kCsv[] = {".csv", ".Csv", ".CSV"};
  const auto& accepted = kind == OutputKind::Txt ? kTxt : kCsv;
  for (std::string_view ending : accepted) {
    if (name.size() >= ending.size() && name.substr(name.size() - ending.size()) == ending) {
      return std::string(name);
    }
  }
  std::string out(name);
  out += extension(kind);
  return out;
}

std::optional<std::string> rewrite_output_ending(std::string_view name, int selection,
                                                 OutputKind kind) {
  std::size_t replaced = 0;
  std::string ending;
  switch (selection) {
    case kSelectAll:
      replaced = 4;
      break;
    case kSelectSupplied:
      replaced = 4;
      ending = "1";
      break;
    case kSelectNotPurchased:
      replaced = 5;
      ending = "2";
      break;
    case kSelectPurchased:
      replaced = 5;
      ending = "3";
      break;
    default:
      return std::string(name);
  }
  if (name.size() < replaced) return std::nullopt;
  ending += extension(kind);
  std::string out(name.substr(0, name.size() - replaced));
  out += ending;
  return out;
}

bool selection_takes(int selection, std::string_view supply_cell) {
  const SupplyClass supply = supply_class_of(supply_cell);
  switch (selection) {
    case kSelectAll:
      return true;
    case kSelectSupplied:
      return supply == SupplyClass::Supplied;
    case kSelectNotPurchased:
      return supply == SupplyClass::NotPurchased;
    case kSelectPurchased:
      return supply == SupplyClass::Purchased;
    default:
      return false;
  }
}

std::string format_parts_line(const PartsList& parts, int row) {
  std::string line;
  for (int column = 0; column < kColumnCount; ++column) {
    const std::string cell = parts.get_cell(row, column, kOutputCellCapacity);
    append_field(line, cell, is_quoted_column(column) || needs_quotes(cell));
    line += column + 1 < kColumnCount ? "," : "\r\n";
  }
  return line;
}

std::string format_parts_list(const PartsList& parts, int selection, int si_no) {
  std::string out;
  for (int row = 0; row < parts.row_count(); ++row) {
    if (selection_takes(selection, parts.get_cell(row, si_no, kOutputCellCapacity))) {
      out += format_parts_line(parts, row);
    }
  }
  return out;
}

std::optional<std::string> write_parts_list(Workspace& ws, Notifier& notifier, int mode,
                                            const OutputFileDialog& dialog) {
  const OutputKind kind = output_kind(ws.settings);
  const int selection = mode & kSelectionMask;
  std::string& name = ws.current_file_name;

  const bool from_dialog = (mode & kNameFromCurrent) == 0 || (mode & kNameFromDialogRewritten) != 0;
  const bool rewrite = (mode & (kNameFromCurrent | kNameFromDialogRewritten)) != 0;

  if (name.empty()) name = std::string(kDefaultName) + std::string(extension(kind));
  if (from_dialog) name = ask_output_name(dialog, kind);
  if (rewrite) {
    const std::optional<std::string> rewritten = rewrite_output_ending(name, selection, kind);
    if (!rewritten) {
      report_cannot_write(notifier);
      return std::nullopt;
    }
    name = *rewritten;
  }

  // An empty name (a cancelled dialog) is not a file; never let it reach the file system.
  if (name.empty() ||
      !io::write_whole_file(name, format_parts_list(ws.parts, selection, ws.settings.si_no))) {
    report_cannot_write(notifier);
    return std::nullopt;
  }
  return name;
}

std::vector<std::string> write_three_files(Workspace& ws, Notifier& notifier, bool from_dialog,
                                           const OutputFileDialog& dialog) {
  std::vector<std::string> written;
  const int first = (from_dialog ? kNameFromDialogRewritten : kNameFromCurrent) | kSelectSupplied;
  if (auto path = write_parts_list(ws, notifier, first, dialog)) {
    written.push_back(*path);
  } else if (from_dialog && ws.current_file_name.empty()) {
    return written;  // cancelled: only a chosen name may be rewritten
  }
  for (int selection : {kSelectNotPurchased, kSelectPurchased}) {
    if (auto path = write_parts_list(ws, notifier, kNameFromCurrent | selection, dialog)) {
      written.push_back(*path);
    }
  }
  return written;
}

}  // namespace korvane
