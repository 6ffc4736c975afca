#include "compare/parts_list_file.h"

#include "io/file_io.h"
#include "notify.h"
#include "text/encoding.h"
#include "text/messages.h"
#include "text/sjis.h"

namespace korvane {
namespace {

bool is_line_break(char c) { return c == '\r' || c == '\n'; }

// Steps over the line break at `pos` (CR LF counts as one).
void skip_line_break(std::string_view bytes, std::size_t& pos, std::size_t& line) {
  if (bytes[pos] == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n') ++pos;
  ++pos;
  ++line;
}

// The first NUL byte, or in a UTF-8 file the first byte that begins no well-formed character.
std::optional<ListFaultAt> find_byte_fault(std::string_view bytes, bool utf8) {
  std::size_t line = 1;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const char c = bytes[pos];
    if (c == '\0') return ListFaultAt{ListFault::NotText, line, 0};
    if (is_line_break(c)) {
      skip_line_break(bytes, pos, line);
      continue;
    }
    if (utf8 && static_cast<unsigned char>(c) >= 0x80) {
      const Utf8Char decoded = decode_utf8_char(bytes, pos);
      if (decoded.length == 0) return ListFaultAt{ListFault::NotUtf8, line, 0};
      pos += decoded.length;
      continue;
    }
    ++pos;
  }
  return std::nullopt;
}

class LineParser {
 public:
  LineParser(std::string_view bytes, bool utf8) : bytes_(bytes), utf8_(utf8) {}

  ListedFile parse() {
    ListedFile out;
    while (pos_ < bytes_.size()) {
      if (is_line_break(bytes_[pos_])) {
        skip_line_break(bytes_, pos_, line_);  // an empty line
        continue;
      }
      ListedRow row;
      row.line = line_;
      std::vector<std::string> cells;
      if (!read_cells(cells)) return ListedFile{{}, fault_};
      if (cells.size() != static_cast<std::size_t>(kColumnCount)) {
        return ListedFile{{}, ListFaultAt{ListFault::CellCount, row.line, cells.size()}};
      }
      for (std::size_t c = 0; c < cells.size(); ++c) row.cells[c] = std::move(cells[c]);
      out.rows.push_back(std::move(row));
    }
    return out;
  }

 private:
  // The cells of one line, the line's break consumed. False on a fault.
  bool read_cells(std::vector<std::string>& cells) {
    for (;;) {
      std::string cell;
      if (pos_ < bytes_.size() && bytes_[pos_] == '"') {
        if (!read_quoted(cell)) return false;
      } else {
        const std::size_t end = bytes_.find_first_of(",\r\n", pos_);
        const std::size_t stop = end == std::string_view::npos ? bytes_.size() : end;
        cell = bytes_.substr(pos_, stop - pos_);
        pos_ = stop;
      }
      cells.push_back(utf8_ ? std::move(cell) : sjis_to_utf8(cell));
      if (pos_ < bytes_.size() && bytes_[pos_] == ',') {
        ++pos_;
        continue;
      }
      if (pos_ < bytes_.size()) skip_line_break(bytes_, pos_, line_);
      return true;
    }
  }

  // A quoted cell from its opening quote; line breaks inside it are part of the text.
  bool read_quoted(std::string& cell) {
    const std::size_t first_line = line_;
    ++pos_;
    for (;;) {
      if (pos_ >= bytes_.size()) {
        fault_ = ListFaultAt{ListFault::UnclosedQuote, first_line, 0};
        return false;
      }
      const char c = bytes_[pos_];
      if (c == '"') {
        if (pos_ + 1 < bytes_.size() && bytes_[pos_ + 1] == '"') {
          cell += '"';
          pos_ += 2;
          continue;
        }
        ++pos_;
        break;
      }
      if (is_line_break(c)) {
        const std::size_t from = pos_;
        skip_line_break(bytes_, pos_, line_);
        cell += bytes_.substr(from, pos_ - from);
        continue;
      }
      cell += c;
      ++pos_;
    }
    if (pos_ < bytes_.size() && bytes_[pos_] != ',' && !is_line_break(bytes_[pos_])) {
      fault_ = ListFaultAt{ListFault::TextAfterQuote, line_, 0};
      return false;
    }
    return true;
  }

  std::string_view bytes_;
  bool utf8_;
  std::size_t pos_ = 0;
  std::size_t line_ = 1;
  ListFaultAt fault_;
};

void replace_all(std::string& text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

std::string_view fault_reason(ListFault fault) {
  switch (fault) {
    case ListFault::CellCount:
      return msg::kListFaultCellCount;
    case ListFault::UnclosedQuote:
      return msg::kListFaultUnclosedQuote;
    case ListFault::TextAfterQuote:
      return msg::kListFaultTextAfterQuote;
    case ListFault::NotUtf8:
      return msg::kListFaultNotUtf8;
    case ListFault::NotText:
      return msg::kListFaultNotText;
    case ListFault::TooManyTags:
      return msg::kListFaultTooManyTags;
    case ListFault::TooLarge:
      break;
  }
  return {};
}

}  // namespace

ListedFile parse_parts_list(std::string_view bytes) {
  const bool utf8 = bytes.starts_with(kUtf8Bom);
  if (utf8) bytes.remove_prefix(kUtf8Bom.size());
  if (std::optional<ListFaultAt> fault = find_byte_fault(bytes, utf8)) {
    return ListedFile{{}, fault};
  }
  return LineParser(bytes, utf8).parse();
}

std::string describe_list_fault(const ListFaultAt& fault) {
  if (fault.fault == ListFault::TooLarge) return std::string(msg::kPartsListTooLarge);
  std::string text(msg::kPartsListNotAList);
  replace_all(text, "{reason}", fault_reason(fault.fault));
  replace_all(text, "{line}", std::to_string(fault.line));
  replace_all(text, "{cells}", std::to_string(fault.cells));
  return text;
}

std::optional<std::vector<ListedRow>> read_parts_list_file(const std::string& path,
                                                           Notifier& notifier) {
  std::string bytes;
  const io::ReadResult read = io::read_file(path, bytes, io::kListFileLimit);
  if (!read) {
    notifier.warn(msg::kPartsListCannotOpen, msg::kTitleFileError, path);
    return std::nullopt;
  }
  // A list cut short would compare as a list without its last parts.
  ListedFile listed =
      read.cut ? ListedFile{{}, ListFaultAt{ListFault::TooLarge, 0, 0}} : parse_parts_list(bytes);
  if (listed.fault) {
    notifier.warn(describe_list_fault(*listed.fault), msg::kTitleFileError, path);
    return std::nullopt;
  }
  return std::move(listed.rows);
}

}  // namespace korvane
