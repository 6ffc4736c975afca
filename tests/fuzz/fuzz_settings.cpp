// The settings reader and writer on any bytes: the record read from a file writes out in the
// shape of every settings file (the 56 lines, then at most one line per option of this version),
// with its texts within their capacities, and reading what was written gives the same record
// back, so a second write is the same bytes as the first.
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
  // Every line ends in CR LF; no value holds a line end of its own.
  for (std::size_t end = written.find('\n'); end != std::string::npos;
       end = written.find('\n', end + 1)) {
    if (end == 0 || written[end - 1] != '\r') std::abort();
  }
  // The file starts with the same 56 keys as a fresh one; what follows are option lines, each
  // of a key of this version, in the order of option_specs().
  static const std::string kDefaults = format_settings(Settings{});
  std::size_t at = 0;
  for (std::size_t from = 0; from < kDefaults.size();) {
    const std::size_t end = kDefaults.find('\n', from) + 1;
    const std::string_view key(kDefaults.data() + from, kDefaults.find('=', from) + 1 - from);
    if (written.compare(at, key.size(), key) != 0) std::abort();
    at = written.find('\n', at);
    if (at == std::string::npos) std::abort();
    ++at;
    from = end;
  }
  const auto specs = option_specs();
  std::size_t next_spec = 0;
  while (at < written.size()) {
    while (next_spec < specs.size() &&
           written.compare(at, specs[next_spec].key.size() + 1,
                           std::string(specs[next_spec].key) + '=') != 0) {
      ++next_spec;
    }
    if (next_spec == specs.size()) std::abort();
    ++next_spec;
    at = written.find('\n', at) + 1;
  }

  Settings again;
  parse_settings(again, written);
  if (!(again == read) || format_settings(again) != written) std::abort();
  return 0;
}
