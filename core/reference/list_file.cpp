#include "reference/list_file.h"

#include "io/file_io.h"
#include "notify.h"
#include "text/messages.h"

namespace korvane {

std::optional<std::string> read_list_file(const std::string& path, Notifier& notifier,
                                          std::string_view cannot_open, ListLoadReport& report) {
  std::string bytes;
  const io::ReadResult read = io::read_file(path, bytes, io::kListFileLimit);
  if (!read) {
    report.missing = read.status == io::ReadResult::Status::Missing;
    report.lost = !report.missing;
    notifier.warn(cannot_open, msg::kTitleFileError, path);
    return std::nullopt;
  }
  report.lost = read.cut;
  return bytes;
}

}  // namespace korvane
