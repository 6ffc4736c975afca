// The settings reader and writer on any bytes: the record read from a file writes out in the
// shape of every settings file, with its texts within their capacities, and reading what was
// written gives the same record back, so a second write is the same bytes as the first.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings/settings.h"

using namespace korvane;

namespace {

bool fits(const std::string& text, std::size_t capacity) { return text.size() < capacity; }

bool within_capacities(const Settings& s) {
  bool ok = fits(s.file_folder, kPathCapacity);
  for (int i = 0; i < kPairCount; ++i) {
    ok = ok && fits(s.part_file[i], kPathCapacity) && fits(s.kinsi_file[i], kPathCapacity);
  }
  for (std::size_t c = 0; c < s.columns.size(); ++c) {
    const ColumnSetting& column = s.columns[c];
    ok = ok && fits(column.title, kColumnTextCapacity) &&
         fits(column.fixed_text, kColumnTextCapacity);
    // The data columns name a text below the tag (2 to 10) or none.
    if (c > 0)
      ok = ok && (column.text_number == 0 || (column.text_number >= 2 && column.text_number <= 10));
  }
  return ok;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view content(reinterpret_cast<const char*>(data), size);
  // Start from the reset values on odd first bytes, so both starting records are exercised.
  Settings read;
  if (size > 0 && data[0] % 2 == 1) reset_settings_values(read);
  parse_settings(read, content);
  if (!within_capacities(read)) std::abort();

  const std::string written = format_settings(read);
  // Every file has the same lines, each ended by CR LF; no value holds a line end of its own.
  static const std::string kDefaults = format_settings(Settings{});
  if (std::count(written.begin(), written.end(), '\n') !=
      std::count(kDefaults.begin(), kDefaults.end(), '\n')) {
    std::abort();
  }
  for (std::size_t end = written.find('\n'); end != std::string::npos;
       end = written.find('\n', end + 1)) {
    if (end == 0 || written[end - 1] != '\r') std::abort();
  }

  Settings again;
  parse_settings(again, written);
  if (!(again == read) || format_settings(again) != written) std::abort();
  return 0;
}
