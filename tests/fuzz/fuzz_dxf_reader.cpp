// The DXF text parser on any bytes, read as they are (ASCII, or binary when they begin with the
// sentinel) and read again behind the binary sentinel, so that the binary tokeniser sees every
// input too: no crash, bounded texts and finite coordinates, and the same table however the
// bytes are split into blocks.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "dxf/dxf_text_parser.h"

using namespace korvane;

namespace {

void check(std::string_view bytes, std::size_t step) {
  TextTable whole;
  const DxfParseResult result = parse_dxf_texts(bytes, whole);
  for (const TextRecord& r : whole) {
    if (r.text.size() >= kDxfTextCapacity || !std::isfinite(r.x) || !std::isfinite(r.y)) {
      std::abort();
    }
  }
  TextTable split;
  DxfTextParser parser(split);
  for (std::size_t pos = 0; pos < bytes.size() && !parser.stopped(); pos += step) {
    parser.feed(bytes.substr(pos, step));
  }
  if (parser.finish() != result || split != whole) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // Block sizes from the first byte, so that the fuzzer steers the split points too.
  const std::size_t step = size == 0 ? 1 : 1 + data[0] % 17;
  check(bytes, step);
  if (!bytes.starts_with(kDxfBinarySentinel)) {
    check(std::string(kDxfBinarySentinel) + std::string(bytes), step);
  }
  return 0;
}
