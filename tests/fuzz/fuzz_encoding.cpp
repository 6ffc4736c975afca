// Shift-JIS <-> UTF-8 on any bytes. Shift-JIS to UTF-8 always gives well-formed UTF-8; text that
// converts there and back without a loss comes back as the same bytes, except for the characters
// code page 932 holds twice (NEC and IBM rows), which come back as their one preferred form.
// UTF-8 to Shift-JIS only ever writes code page 932 characters, and they read back as the
// UTF-8 text (the JIS forms of the seven twins as their code page 932 twins).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "text/encoding.h"
#include "text/sjis.h"

using namespace korvane;

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

bool well_formed_utf8(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    const Utf8Char c = decode_utf8_char(text, pos);
    if (c.length == 0) return false;
    pos += c.length;
  }
  return true;
}

std::string_view next_sjis_char(std::string_view text, std::size_t pos) {
  const bool lead = is_sjis_lead_byte(static_cast<unsigned char>(text[pos]));
  return text.substr(pos, lead && pos + 1 < text.size() ? 2 : 1);
}

// The lead bytes of the rows whose characters have a second code: NEC row 13 (0x87), the NEC
// selection of IBM extensions (0xED, 0xEE) and the IBM extensions (0xFA to 0xFC).
bool has_twin_code(std::string_view c) {
  const auto lead = static_cast<unsigned char>(c[0]);
  return c.size() == 2 && (lead == 0x87 || lead == 0xED || lead == 0xEE || lead >= 0xFA);
}

std::string utf8_of(char32_t cp) {
  std::string out;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return out;
}

// The code page 932 reading of a JIS form.
char32_t cp932_twin(char32_t cp) {
  switch (cp) {
    case 0x00A2:
      return 0xFFE0;
    case 0x00A3:
      return 0xFFE1;
    case 0x00AC:
      return 0xFFE2;
    case 0x2014:
      return 0x2015;
    case 0x2016:
      return 0x2225;
    case 0x2212:
      return 0xFF0D;
    case 0x301C:
      return 0xFF5E;
    default:
      return cp;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);

  // As Shift-JIS.
  const std::string utf8 = sjis_to_utf8(input);
  if (!well_formed_utf8(utf8)) std::abort();
  bool ok = false;
  const std::string sjis = utf8_to_sjis(utf8, &ok);
  if (ok && utf8.find(kReplacement) == std::string::npos) {
    if (sjis_to_utf8(sjis) != utf8) std::abort();
    std::size_t a = 0;
    std::size_t b = 0;
    while (a < input.size() && b < sjis.size()) {
      const std::string_view was = next_sjis_char(input, a);
      const std::string_view now = next_sjis_char(sjis, b);
      if (was != now && !has_twin_code(was)) std::abort();
      a += was.size();
      b += now.size();
    }
    if (a != input.size() || b != sjis.size()) std::abort();
  }

  // As UTF-8.
  bool held = false;
  const std::string converted = utf8_to_sjis(input, &held);
  const std::string back = sjis_to_utf8(converted);
  if (back.find(kReplacement) != std::string::npos) std::abort();
  if (held) {
    std::string expected;
    Cp932Encoder encoder;
    std::string encoded;
    for (std::size_t pos = 0; pos < input.size();) {
      const Utf8Char c = decode_utf8_char(input, pos);
      if (c.length == 0 || !encoder.append(c.code_point, encoded)) std::abort();
      expected += utf8_of(cp932_twin(c.code_point));
      pos += c.length;
    }
    if (back != expected || encoded != converted) std::abort();
  }
  return 0;
}
