#include "dxf/dxf_reader.h"

#include <memory>

#include "dxf/dxf_text_parser.h"
#include "io/file_io.h"
#include "notify.h"
#include "text/messages.h"

namespace korvane {
namespace {

// Large enough that the read calls cost nothing next to the scan, small enough to stay in cache.
constexpr std::size_t kBlockSize = 256 * 1024;

void tell(Notifier& notifier, std::string text) {
  notifier.notify(Message{
      std::move(text), std::string(msg::kTitleFileError), Buttons::Ok, Icon::Warning, true, {}});
}

}  // namespace

bool read_dxf_file(const std::string& path, TextTable& table, Notifier& notifier,
                   DxfCodePage code_page, const TakeTexts& take) {
  auto file = io::file_system().open_read(path);
  if (!file) {
    tell(notifier, std::string(msg::kDxfCannotOpen));
    return false;
  }
  const auto block = std::make_unique<char[]>(kBlockSize);
  DxfTextParser parser(table, code_page);
  while (!parser.stopped()) {
    const std::ptrdiff_t n = file->read(block.get(), kBlockSize);
    if (n < 0) {
      tell(notifier, std::string(msg::kDxfCannotOpen));
      return false;
    }
    if (n == 0) break;
    parser.feed(std::string_view(block.get(), static_cast<std::size_t>(n)));
    if (take && !table.empty()) take(table);
  }
  const DxfParseResult result = parser.finish();
  if (take && !table.empty()) take(table);
  if (result == DxfParseResult::NotDxf) {
    tell(notifier, std::string(msg::kDxfNotAscii) + path);
    return false;
  }
  return true;
}

}  // namespace korvane
