// The conversion of a DXF text value on any bytes, as UTF-8, as Shift-JIS and from a single- and
// a double-byte code page: no crash, bounded texts, the cut only ever shortening the whole
// conversion, and plain Shift-JIS left as it is.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "dxf/dxf_text_value.h"
#include "dxf/text_table.h"
#include "text/sjis.h"

using namespace korvane;

namespace {

void check(DxfTextConverter& converter, std::string_view value, DxfTextEncoding encoding) {
  const std::string cut = converter.convert(value, encoding, kDxfTextCapacity);
  const std::string whole = converter.convert(value, encoding, value.size() * 8 + 16);
  if (cut.size() >= kDxfTextCapacity || whole.compare(0, cut.size(), cut) != 0) std::abort();
  if (encoding == DxfTextEncoding::ShiftJis && value.find('\\') == std::string_view::npos &&
      (cut != cut_to_capacity(value, kDxfTextCapacity) || whole != value)) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view value(reinterpret_cast<const char*>(data), size);
  // Each keeps what it learnt of its code pages between runs.
  static DxfTextConverter converter;
  static DxfTextConverter cp1252;
  static DxfTextConverter cp950;
  static const bool opened = cp1252.use_code_page(1252) && cp950.use_code_page(950);
  if (!opened) std::abort();
  check(converter, value, DxfTextEncoding::ShiftJis);
  check(converter, value, DxfTextEncoding::Utf8);
  check(cp1252, value, DxfTextEncoding::CodePage);
  check(cp950, value, DxfTextEncoding::CodePage);
  return 0;
}
