// texts: the text table of the drawings, one record a line.
#include <charconv>
#include <ostream>

#include "cli.h"
#include "commands.h"
#include "dxf/dxf_reader.h"
#include "stream_notifier.h"
#include "text/encoding.h"

namespace korvane::cli {
namespace {

// printf("%.17g"), the same on every platform and in every locale.
std::string format_coordinate(double value) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
  return std::string(buffer, result.ptr);
}

}  // namespace

int run_texts(const Options& o, std::ostream& out, std::ostream& err) {
  StreamNotifier notifier(err);
  TextTable table;
  bool all_read = true;
  for (const std::string& drawing : o.drawings) {
    notifier.set_subject(drawing);
    if (!read_dxf_file(drawing, table, notifier, o.code_page.value_or(DxfCodePage::Auto))) {
      all_read = false;
    }
  }
  for (const TextRecord& record : table) {
    out << format_coordinate(record.x) << '\t' << format_coordinate(record.y) << '\t'
        << (o.raw ? record.text : sjis_to_utf8(record.text)) << '\n';
  }
  return all_read ? kExitOk : kExitUsage;
}

}  // namespace korvane::cli
