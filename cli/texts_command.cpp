// texts: the text table of the drawings, one record a line.
#include <charconv>
#include <ostream>
#include <string>

#include "cli.h"
#include "commands.h"
#include "dxf/dxf_reader.h"
#include "stream_notifier.h"
#include "text/encoding.h"

namespace korvane::cli {
namespace {

// The lines are gathered in one buffer and written to the stream a megabyte at a time.
constexpr std::size_t kOutputBlock = std::size_t{1} << 20;

}  // namespace

void append_coordinate(double value, std::string& out) {
  char buffer[32];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
  out.append(buffer, result.ptr);
}

int run_texts(const Options& o, std::ostream& out, std::ostream& err) {
  StreamNotifier notifier(err);
  SjisToUtf8Converter to_utf8;
  std::string lines;
  lines.reserve(kOutputBlock + 1024);
  // The texts are printed as they are read: the table never holds more than a block's texts.
  const auto print = [&](TextTable& table) {
    for (const TextRecord& record : table) {
      append_coordinate(record.x, lines);
      lines += '\t';
      append_coordinate(record.y, lines);
      lines += '\t';
      if (o.raw) {
        lines += record.text;
      } else {
        to_utf8.append(record.text, lines);
      }
      lines += '\n';
      if (lines.size() >= kOutputBlock) {
        out.write(lines.data(), static_cast<std::streamsize>(lines.size()));
        lines.clear();
      }
    }
    table.clear();
  };
  TextTable table;
  bool all_read = true;
  for (const std::string& drawing : o.drawings) {
    notifier.set_subject(drawing);
    if (!read_dxf_file(drawing, table, notifier, o.code_page.value_or(DxfCodePage::Auto), print)) {
      all_read = false;
    }
  }
  out.write(lines.data(), static_cast<std::streamsize>(lines.size()));
  return all_read ? kExitOk : kExitUsage;
}

}  // namespace korvane::cli
