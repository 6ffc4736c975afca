#include "output/parts_list_writer.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "io/file_io.h"
#include "notify.h"
#include "output/output_guard.h"
#include "text/encoding.h"
#include "text/messages.h"
#include "text/sjis.h"
#include "workspace.h"

namespace korvane {

namespace {

constexpr std::string_view kDefaultName = "default";

std::string_view extension(OutputKind kind) {
  switch (kind) {
    case OutputKind::Txt:
      return ".txt";
    case OutputKind::Xlsx:
      return ".xlsx";
    default:
      return ".csv";
  }
}

bool is_quoted_column(int column) {
  return column == 0 || column == 2 || column == 3 || column == 4 || column == 5;
}

void report_cannot_write(Notifier& notifier, const std::string& name) {
  notifier.notify(Message{std::string(msg::kTextFileCannotOpen), std::string(msg::kTitleFileError),
                          Buttons::Ok, Icon::Warning, true, name});
}

// Paths are Shift-JIS on Windows, where a backslash or colon also separates; elsewhere they are
// the system's bytes, UTF-8 by convention.
#ifdef _WIN32
constexpr bool kShiftJisPaths = true;
#else
constexpr bool kShiftJisPaths = false;
#endif

bool is_separator(char c) { return c == '/' || (kShiftJisPaths && (c == '\\' || c == ':')); }

// Whether cutting `name` at `at` (within the component that begins at `from`) keeps whole
// characters.
bool is_path_char_boundary(std::string_view name, std::size_t from, std::size_t at) {
  if (kShiftJisPaths) {
    std::size_t i = from;
    while (i < at) i += is_sjis_lead_byte(static_cast<unsigned char>(name[i])) ? 2 : 1;
    return i == at;
  }
  return at >= name.size() || (static_cast<unsigned char>(name[at]) & 0xC0) != 0x80;
}

// The dialog's name with its extension completed, or empty when it was cancelled.
std::string ask_output_name(const OutputFileDialog& dialog, OutputKind kind) {
  if (!dialog) return {};
  const std::optional<std::string> chosen = dialog(kind);
  if (!chosen || chosen->empty()) return {};
  return complete_output_extension(*chosen, kind);
}

}  // namespace

// A double quote, comma, CR or LF never occurs inside a Shift-JIS double-byte character (trail
// bytes are 0x40 and above), so a byte scan is safe.
bool csv_needs_quotes(std::string_view text) {
  return text.find_first_of(",\"\r\n") != std::string_view::npos;
}

void append_csv_field(std::string& line, std::string_view text, bool quoted) {
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

std::size_t last_component_start(std::string_view name) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto byte = static_cast<unsigned char>(name[i]);
    if (kShiftJisPaths && is_sjis_lead_byte(byte) && i + 1 < name.size()) {
      ++i;
      continue;
    }
    if (is_separator(name[i])) start = i + 1;
  }
  return start;
}

std::string complete_output_extension(std::string_view name, OutputKind kind) {
  static constexpr std::string_view kTxt[] = {".txt", ".Txt", ".TXT"};
  static constexpr std::string_view kCsv[] = {".csv", ".Csv", ".CSV"};
  static constexpr std::string_view kXlsx[] = {".xlsx", ".Xlsx", ".XLSX"};
  const auto& accepted = kind == OutputKind::Txt ? kTxt : kind == OutputKind::Xlsx ? kXlsx : kCsv;
  for (std::string_view ending : accepted) {
    if (name.size() >= ending.size() && name.substr(name.size() - ending.size()) == ending) {
      return std::string(name);
    }
  }
  std::string out(name);
  out += extension(kind);
  return out;
}

std::optional<std::string> rewrite_output_ending(std::string_view name, Selection selection,
                                                 OutputKind kind) {
  // A name that already ends in the workbook's five-byte extension would otherwise lose only
  // its last four bytes ("book.xlsx" -> "book..xlsx").
  if (kind == OutputKind::Xlsx && selection == Selection::All &&
      complete_output_extension(name, kind).size() == name.size()) {
    return std::string(name);
  }
  std::size_t replaced = 0;
  std::string ending;
  switch (selection) {
    case Selection::All:
      replaced = 4;
      break;
    case Selection::Supplied:
      replaced = 4;
      ending = "1";
      break;
    case Selection::NotPurchased:
      replaced = 5;
      ending = "2";
      break;
    case Selection::Purchased:
      replaced = 5;
      ending = "3";
      break;
    default:
      return std::string(name);
  }
  const std::size_t last = last_component_start(name);
  if (name.size() - last < replaced) return std::nullopt;
  const std::size_t kept = name.size() - replaced;
  if (!is_path_char_boundary(name, last, kept)) return std::nullopt;
  ending += extension(kind);
  std::string out(name.substr(0, kept));
  out += ending;
  return out;
}

bool selection_takes(Selection selection, std::string_view supply_cell) {
  const SupplyClass supply = supply_class_of(supply_cell);
  switch (selection) {
    case Selection::All:
      return true;
    case Selection::Supplied:
      return supply == SupplyClass::Supplied;
    case Selection::NotPurchased:
      return supply == SupplyClass::NotPurchased;
    case Selection::Purchased:
      return supply == SupplyClass::Purchased;
    default:
      return false;
  }
}

CellStyle output_cell_style(const Workspace& ws) {
  const int tag = ws.settings.column_map.tag;
  return {read_output_options(ws.settings).tag_list, tag >= 0 && tag < kColumnCount ? tag : -1,
          FamilyPrefixes(ws.base_parts)};
}

std::string output_cell(const PartsList& parts, int row, int column, const CellStyle& style) {
  if (column != style.tag_column || style.tag_list == TagListStyle::Merged) {
    return parts.get_cell(row, column, kOutputCellCapacity);
  }
  const std::string& cell = parts.cell(row, column);
  const std::size_t first_tag_end = std::min(cell.find(','), cell.size());
  const std::size_t prefix =
      style.families.length_in(std::string_view(cell).substr(0, first_tag_end));
  return cut_to_capacity(format_tag_list(cell, prefix, style.tag_list), kOutputCellCapacity);
}

std::string format_parts_line(const PartsList& parts, int row, const CellStyle& style) {
  std::string line;
  for (int column = 0; column < kColumnCount; ++column) {
    const std::string cell = output_cell(parts, row, column, style);
    append_csv_field(line, cell, is_quoted_column(column) || csv_needs_quotes(cell));
    line += column + 1 < kColumnCount ? "," : "\r\n";
  }
  return line;
}

std::string format_parts_list(const PartsList& parts, Selection selection, int supply_column,
                              const CellStyle& style) {
  std::string out;
  for (int row = 0; row < parts.row_count(); ++row) {
    if (selection_takes(selection, parts.get_cell(row, supply_column, kOutputCellCapacity))) {
      out += format_parts_line(parts, row, style);
    }
  }
  return out;
}

std::string encode_text_output(std::string_view sjis, TextEncoding encoding) {
  if (encoding == TextEncoding::ShiftJis) return std::string(sjis);
  return "\xEF\xBB\xBF" + sjis_to_utf8(sjis);
}

namespace {

// Names the output for `request`, leaving the name in ws.current_file_name; nothing (after
// saying so) when the dialog was cancelled or the name is too short to rewrite.
std::optional<std::string> name_output(Workspace& ws, Notifier& notifier,
                                       const OutputRequest& request,
                                       const OutputFileDialog& dialog) {
  const OutputKind kind = ws.settings.output_kind();
  std::string& name = ws.current_file_name;

  if (name.empty()) name = std::string(kDefaultName) + std::string(extension(kind));
  if (request.naming != OutputNaming::Current) name = ask_output_name(dialog, kind);
  if (request.naming != OutputNaming::Dialog) {
    const std::optional<std::string> rewritten =
        rewrite_output_ending(name, request.selection, kind);
    if (!rewritten) {
      report_cannot_write(notifier, name);
      return std::nullopt;
    }
    name = *rewritten;
  }
  // An empty name (a cancelled dialog) is not a file; never let it reach the file system.
  if (name.empty()) {
    report_cannot_write(notifier, name);
    return std::nullopt;
  }
  return name;
}

bool write_named(Workspace& ws, Notifier& notifier, const std::string& name, Selection selection) {
  ws.current_file_name = name;
  const std::string sjis =
      format_parts_list(ws.parts, selection, ws.settings.column_map.supply, output_cell_style(ws));
  if (!io::write_whole_file(name,
                            encode_text_output(sjis, read_output_options(ws.settings).encoding))) {
    report_cannot_write(notifier, name);
    return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> write_parts_list(Workspace& ws, Notifier& notifier,
                                            const OutputRequest& request,
                                            const OutputFileDialog& dialog) {
  std::optional<std::string> name = name_output(ws, notifier, request, dialog);
  if (!name || !outputs_spare_inputs(ws, notifier, {*name})) return std::nullopt;
  if (!write_named(ws, notifier, *name, request.selection)) return std::nullopt;
  return name;
}

std::vector<std::string> write_three_files(Workspace& ws, Notifier& notifier, OutputNaming naming,
                                           const OutputFileDialog& dialog) {
  // All three are named, and checked against the inputs, before any is written.
  struct Planned {
    Selection selection;
    std::string name;
  };
  const bool from_dialog = naming != OutputNaming::Current;
  std::vector<Planned> planned;
  const OutputRequest first{Selection::Supplied,
                            from_dialog ? OutputNaming::DialogRewritten : OutputNaming::Current};
  if (auto name = name_output(ws, notifier, first, dialog)) {
    planned.push_back({Selection::Supplied, *name});
  } else if (from_dialog && ws.current_file_name.empty()) {
    return {};  // cancelled: only a chosen name may be rewritten
  }
  for (const Selection selection : {Selection::NotPurchased, Selection::Purchased}) {
    if (auto name = name_output(ws, notifier, {selection, OutputNaming::Current}, dialog)) {
      planned.push_back({selection, *name});
    }
  }
  std::vector<std::string> names;
  names.reserve(planned.size());
  for (const Planned& p : planned) names.push_back(p.name);
  if (!outputs_spare_inputs(ws, notifier, names)) return {};

  const std::string last_name = ws.current_file_name;
  std::vector<std::string> written;
  for (const Planned& p : planned) {
    if (write_named(ws, notifier, p.name, p.selection)) written.push_back(p.name);
  }
  ws.current_file_name = last_name;
  return written;
}

}  // namespace korvane
