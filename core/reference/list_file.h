// Reading a reference list's file, shared by the base parts list and the prohibited words.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvane {

class Notifier;

// What a load found, for the save at exit.
struct ListLoadReport {
  bool missing = false;  // the file does not exist
  bool lost = false;     // the file exists but something of it is not in the list: a cut field or
                         // line, a dropped entry, bytes beyond the read limit, or not read at all
};

// The file's bytes, at most io::kListFileLimit of them (`report->lost` set when there were more).
// Nothing when it cannot be read, after telling the user `cannot_open` with the file's name.
std::optional<std::string> read_list_file(const std::string& path, Notifier& notifier,
                                          std::string_view cannot_open, ListLoadReport& report);

}  // namespace korvane
