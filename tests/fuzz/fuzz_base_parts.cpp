// The base parts list reader on any bytes: no crash, entries within their capacities, and what
// the writer makes of them reads back the same.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "reference/base_parts_file.h"

using namespace korvane;

namespace {

bool fits(const std::string& text, std::size_t capacity) { return text.size() < capacity; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const BasePartsParse parsed = parse_base_parts(bytes);
  if (parsed.store.entries.size() > static_cast<std::size_t>(kBasePartsCapacity)) std::abort();
  for (const BasePartEntry& e : parsed.store.entries) {
    bool ok = fits(e.part_name, kPartNameCapacity) && fits(e.tag, kTagCapacity) &&
              fits(e.type, kTypeCapacity) && fits(e.maker, kMakerCapacity);
    for (const Accessory& a : e.accessories) {
      ok = ok && fits(a.name, kAccessoryCapacity) && fits(a.type, kAccessoryCapacity);
    }
    if (!ok) std::abort();
  }
  const BasePartsParse again = parse_base_parts(format_base_parts(parsed.store));
  if (again.truncated || again.store.entries != parsed.store.entries) std::abort();
  return 0;
}
