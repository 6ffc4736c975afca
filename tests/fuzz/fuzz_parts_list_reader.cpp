// The parts list file reader of compare on any bytes: no crash and no blow-up (tag ranges are
// bounded); either a fault or rows, never both; rows of eight well-formed UTF-8 cells without NUL
// bytes, on lines that only grow; the gathered parts compare with themselves as unchanged and
// with an empty list as all removed.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "compare/list_comparison.h"
#include "settings/settings.h"
#include "text/encoding.h"

using namespace korvane;

namespace {

bool well_formed(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    if (text[pos] == '\0') return false;
    const Utf8Char c = decode_utf8_char(text, pos);
    if (c.length == 0) return false;
    pos += c.length;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const ListedFile listed = parse_parts_list(bytes);
  if (listed.fault) {
    if (!listed.rows.empty() || listed.fault->line == 0) std::abort();
    return 0;
  }
  std::size_t last_line = 0;
  for (const ListedRow& row : listed.rows) {
    if (row.line <= last_line) std::abort();
    last_line = row.line;
    for (const std::string& cell : row.cells) {
      if (!well_formed(cell)) std::abort();
    }
  }

  const std::vector<std::string> prefixes = {"CR", "T", "TR", "THR", "MCCB"};
  const GatheredList gathered = gather_parts(listed.rows, ColumnMap{}, prefixes);
  if (gathered.fault) {
    if (!gathered.parts.empty() || gathered.fault->fault != ListFault::TooManyTags) std::abort();
    return 0;
  }
  std::size_t tags = 0;
  for (const GatheredPart& part : gathered.parts) tags += part.tags.size();
  if (tags > kMaxListedTags || gathered.parts.size() > listed.rows.size()) std::abort();

  const Comparison itself = compare_gathered(gathered.parts, gathered.parts);
  if (!itself.same() || itself.unchanged != gathered.parts.size()) std::abort();
  const Comparison emptied = compare_gathered(gathered.parts, {});
  if (emptied.changes.size() != gathered.parts.size() || emptied.unchanged != 0) std::abort();
  for (const PartChange& change : emptied.changes) {
    if (change.kind != ChangeKind::Removed || change.new_quantity != 0) std::abort();
  }
  return 0;
}
