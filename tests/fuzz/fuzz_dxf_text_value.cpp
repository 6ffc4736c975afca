// The conversion of a DXF text value on any bytes, as UTF-8 and as Shift-JIS: no crash, bounded
// texts, the cut only ever shortening the whole conversion, and plain Shift-JIS left as it is.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "dxf/dxf_text_value.h"
#include "dxf/text_table.h"
#include "text/sjis.h"

using namespace korvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view value(reinterpret_cast<const char*>(data), size);
  static DxfTextConverter converter;  // keeps what it learnt of code page 932 between runs
  for (const DxfTextEncoding encoding : {DxfTextEncoding::ShiftJis, DxfTextEncoding::Utf8}) {
    const std::string cut = converter.convert(value, encoding, kDxfTextCapacity);
    const std::string whole = converter.convert(value, encoding, size * 8 + 16);
    if (cut.size() >= kDxfTextCapacity || whole.compare(0, cut.size(), cut) != 0) std::abort();
    if (encoding == DxfTextEncoding::ShiftJis && value.find('\\') == std::string_view::npos &&
        (cut != cut_to_capacity(value, kDxfTextCapacity) || whole != value)) {
      std::abort();
    }
  }
  return 0;
}
