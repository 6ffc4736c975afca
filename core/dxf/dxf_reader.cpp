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
  notifier.notify(Message{std::move(text), std::string(msg::kTitleFileError), Buttons::Ok,
                          Icon::Warning, true});
}

}  // namespace

bool read_dxf_file(const std::string& path, TextTable& table, Notifier& notifier) {
  auto file = io::file_system().open_read(path);
  if (!file) {
    tell(notifier, std::string(msg::kDxfCannotOpen));
    return false;
  }
  const auto block = std::make_unique<char[]>(kBlockSize);
  DxfTextParser parser(table);
  while (!parser.stopped()) {
    const std::ptrdiff_t n = file->read(block.get(), kBlockSize);
    if (n < 0) {
      tell(notifier, std::string(msg::kDxfCannotOpen));
      return false;
    }
    if (n == 0) break;
    parser.feed(std::string_view(block.get(), static_cast<std::size_t>(n)));
  }
  if (parser.finish() == DxfParseResult::NotAscii) {
    tell(notifier, std::string(msg::kDxfNotAscii) + path);
    return false;
  }
  return true;
}

bool read_dxf_files(const std::vector<std::string>& paths, TextTable& table, Notifier& notifier,
                    const std::function<void(std::size_t)>& before_each) {
  bool delivered = paths.empty();
  for (std::size_t i = 0; i < paths.size(); ++i) {
    if (before_each) before_each(i);
    const std::size_t texts_before = table.size();
    if (read_dxf_file(paths[i], table, notifier) || table.size() > texts_before) delivered = true;
  }
  return delivered;
}

}  // namespace korvane
