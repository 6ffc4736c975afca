#include "output/workbook_writer.h"

#include <xlsxwriter.h>

#include <charconv>

#include "io/file_io.h"
#include "io/scratch_file.h"
#include "notify.h"
#include "output/output_guard.h"
#include "text/encoding.h"
#include "text/messages.h"
#include "workspace.h"

namespace korvane {
namespace {

constexpr std::string_view kDefaultName = "default.xlsx";
// Fifteen digits always survive a double, so the number reads back as the text.
constexpr std::size_t kMaxNumberDigits = 15;

void report_cannot_write(Notifier& notifier, const std::string& name) {
  notifier.notify(Message{std::string(msg::kWorkbookCannotWrite), std::string(msg::kTitleFileError),
                          Buttons::Ok, Icon::Warning, true, name});
}

// The value of a text that is_whole_number accepts.
double whole_number_value(std::string_view text) {
  long long value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return static_cast<double>(value);
}

// Writes one sheet; false when libxlsxwriter refused a call.
bool add_sheet(lxw_workbook* book, const WorkbookContent& content, const WorkbookSheet& sheet,
               lxw_format* header) {
  lxw_worksheet* page = workbook_add_worksheet(book, sheet.name.c_str());
  if (page == nullptr) return false;
  bool ok = true;
  auto check = [&ok](lxw_error error) { ok = ok && error == LXW_NO_ERROR; };
  for (int column = 0; column < kColumnCount; ++column) {
    const auto c = static_cast<lxw_col_t>(column);
    const std::string& title = content.titles[static_cast<std::size_t>(column)];
    if (!title.empty()) check(worksheet_write_string(page, 0, c, title.c_str(), header));
    const int width = content.widths[static_cast<std::size_t>(column)];
    if (width > 0)
      check(worksheet_set_column_pixels(page, c, c, static_cast<uint32_t>(width), nullptr));
  }
  lxw_row_t row = 1;
  for (const auto& cells : sheet.rows) {
    for (int column = 0; column < kColumnCount; ++column) {
      const auto c = static_cast<lxw_col_t>(column);
      const std::string& text = cells[static_cast<std::size_t>(column)];
      if (text.empty()) continue;
      if (column == content.number_column && is_whole_number(text)) {
        check(worksheet_write_number(page, row, c, whole_number_value(text), nullptr));
      } else {
        check(worksheet_write_string(page, row, c, text.c_str(), nullptr));
      }
    }
    ++row;
  }
  worksheet_freeze_panes(page, 1, 0);
  check(worksheet_autofilter(page, 0, 0, row - 1, kColumnCount - 1));
  return ok;
}

// The file the workbook goes to, or nothing (after saying why, unless the dialog was cancelled).
std::optional<std::string> name_workbook(const Workspace& ws, Notifier& notifier,
                                         OutputNaming naming, const OutputFileDialog& dialog) {
  if (naming == OutputNaming::Current) {
    if (ws.current_file_name.empty()) return std::string(kDefaultName);
    auto name = rewrite_output_ending(ws.current_file_name, Selection::All, OutputKind::Xlsx);
    if (!name) report_cannot_write(notifier, ws.current_file_name);
    return name;
  }
  if (!dialog) return std::nullopt;
  const std::optional<std::string> chosen = dialog(OutputKind::Xlsx);
  if (!chosen || chosen->empty()) return std::nullopt;
  return complete_output_extension(*chosen, OutputKind::Xlsx);
}

}  // namespace

bool is_whole_number(std::string_view text) {
  const bool negative = !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  if (text.empty() || text.size() > kMaxNumberDigits) return false;
  // "-0" and "007" would read back as "0" and "7".
  if (text.front() == '0' && (text.size() > 1 || negative)) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

WorkbookContent workbook_content(const Workspace& ws) {
  const Settings& s = ws.settings;
  WorkbookContent content;
  for (std::size_t i = 0; i < content.titles.size(); ++i) {
    content.titles[i] = sjis_to_utf8(s.columns[i].title);
    content.widths[i] = s.columns[i].width;
  }
  if (s.column_map.quantity >= 0 && s.column_map.quantity < kColumnCount) {
    content.number_column = s.column_map.quantity;
  }
  const CellStyle style = output_cell_style(ws);
  const struct {
    std::string_view name;
    Selection selection;
  } sheets[] = {{msg::kSheetAllRows, Selection::All},
                {msg::kSheetSupplied, Selection::Supplied},
                {msg::kSheetNotPurchased, Selection::NotPurchased},
                {msg::kSheetPurchased, Selection::Purchased}};
  for (const auto& sheet : sheets) {
    WorkbookSheet& out = content.sheets.emplace_back();
    out.name = sjis_to_utf8(sheet.name);
    for (int row = 0; row < ws.parts.row_count(); ++row) {
      const std::string supply = ws.parts.get_cell(row, s.column_map.supply, kOutputCellCapacity);
      if (!selection_takes(sheet.selection, supply)) continue;
      auto& cells = out.rows.emplace_back();
      for (int column = 0; column < kColumnCount; ++column) {
        cells[static_cast<std::size_t>(column)] =
            sjis_to_utf8(output_cell(ws.parts, row, column, style));
      }
    }
  }
  return content;
}

bool save_workbook(const WorkbookContent& content, const io::ScratchFile& file) {
  std::string folder = file.folder();
  lxw_workbook_options options{};
  options.tmpdir = folder.data();
  lxw_workbook* book = workbook_new_opt(file.path().c_str(), &options);
  if (book == nullptr) return false;
  lxw_format* header = workbook_add_format(book);
  if (header != nullptr) format_set_bold(header);
  bool ok = true;
  for (const WorkbookSheet& sheet : content.sheets) {
    ok = add_sheet(book, content, sheet, header) && ok;
  }
  // Closing writes the file and frees the workbook, also after a failed call.
  return workbook_close(book) == LXW_NO_ERROR && ok;
}

std::optional<std::string> write_workbook(Workspace& ws, Notifier& notifier, OutputNaming naming,
                                          const OutputFileDialog& dialog) {
  std::optional<std::string> name = name_workbook(ws, notifier, naming, dialog);
  if (!name || !outputs_spare_inputs(ws, notifier, {*name})) return std::nullopt;
  std::optional<io::ScratchFile> scratch = io::ScratchFile::create();
  std::string bytes;
  if (!scratch || !save_workbook(workbook_content(ws), *scratch) || !scratch->read(bytes) ||
      !io::write_whole_file(*name, bytes)) {
    report_cannot_write(notifier, *name);
    return std::nullopt;
  }
  return name;
}

}  // namespace korvane
