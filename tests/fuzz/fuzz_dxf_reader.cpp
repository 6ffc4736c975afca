// The DXF text parser on any bytes: no crash, bounded texts and finite coordinates, and the same
// table however the bytes are split into blocks.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "dxf/dxf_text_parser.h"

using namespace korvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  TextTable whole;
  const DxfParseResult result = parse_dxf_texts(bytes, whole);
  for (const TextRecord& r : whole) {
    if (r.text.size() >= kDxfTextCapacity || !std::isfinite(r.x) || !std::isfinite(r.y)) {
      std::abort();
    }
  }

  // Block sizes from the first byte, so that the fuzzer steers the split points too.
  const std::size_t step = size == 0 ? 1 : 1 + data[0] % 17;
  TextTable split;
  DxfTextParser parser(split);
  for (std::size_t pos = 0; pos < size && !parser.stopped(); pos += step) {
    parser.feed(bytes.substr(pos, step));
  }
  if (parser.finish() != result || split != whole) std::abort();
  return 0;
}
