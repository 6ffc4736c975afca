// The settings reader and writer on any bytes: the record read from a file writes out in the
// shape of every settings file (the 56 lines, then at most one line per option of this version),
// with its texts within their capacities, and reading what was written gives the same record
// back, so a second write is the same bytes as the first.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

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

// The key of each line of a settings file: what stands before its '=' (the whole line without
// one).
std::vector<std::string_view> keys_of(std::string_view file) {
  std::vector<std::string_view> keys;
  for (std::size_t from = 0; from < file.size();) {
    const std::size_t end = std::min(file.find('\n', from), file.size());
    const std::string_view line = file.substr(from, end - from);
    keys.push_back(line.substr(0, line.find('=')));
    from = end + 1;
  }
  return keys;
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
  // The file has the 56 keys of a fresh one in their order; after them come only option lines,
  // each of a key of this version, in the order of option_specs().
  static const std::string kFreshFile = format_settings(Settings{});
  static const std::vector<std::string_view> kFresh = keys_of(kFreshFile);
  const std::vector<std::string_view> keys = keys_of(written);
  if (keys.size() < kFresh.size() || !std::equal(kFresh.begin(), kFresh.end(), keys.begin())) {
    std::abort();
  }
  const auto specs = option_specs();
  std::size_t next_spec = 0;
  for (std::size_t k = kFresh.size(); k < keys.size(); ++k) {
    while (next_spec < specs.size() && specs[next_spec].key != keys[k]) ++next_spec;
    if (next_spec == specs.size()) std::abort();
    ++next_spec;
  }

  Settings again;
  parse_settings(again, written);
  if (!(again == read) || format_settings(again) != written) std::abort();
  return 0;
}
