#include "dxf/dxf_text_value.h"

#include "text/sjis.h"

namespace korvane {
namespace {

constexpr std::size_t kUnicodeEscapeLength = 7;  // \U+XXXX
constexpr std::size_t kMbcsEscapeLength = 8;     // \M+1XXXX

bool is_sjis_trail_byte(unsigned char byte) {
  return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Four hex digits at `pos`, or -1.
long read_hex4(std::string_view s, std::size_t pos) {
  if (s.size() < pos + 4) return -1;
  long value = 0;
  for (std::size_t k = 0; k < 4; ++k) {
    const int d = hex_digit(s[pos + k]);
    if (d < 0) return -1;
    value = value * 16 + d;
  }
  return value;
}

// The code point of a "\U+XXXX" at `pos`, or -1.
long unicode_escape_at(std::string_view s, std::size_t pos) {
  if (s.substr(pos, 3) != "\\U+") return -1;
  return read_hex4(s, pos + 3);
}

void append_unicode_escape(std::string& out, unsigned value) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  out += "\\U+";
  for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(value >> shift) & 0xF];
}

// A character code page 932 cannot hold, in the form the reader itself takes back.
void append_not_held(std::string& out, char32_t cp) {
  if (cp > 0xFFFF) {
    append_unicode_escape(out, 0xD800 + ((cp - 0x10000) >> 10));
    append_unicode_escape(out, 0xDC00 + ((cp - 0x10000) & 0x3FF));
  } else {
    append_unicode_escape(out, static_cast<unsigned>(cp));
  }
}

bool is_control(long cp) { return cp < 0x20 || cp == 0x7F; }

// Nothing to convert: the bytes stand, cut as any text. Every code page taken keeps ASCII.
bool is_plain(std::string_view value, DxfTextEncoding encoding) {
  if (encoding == DxfTextEncoding::ShiftJis) return value.find('\\') == std::string_view::npos;
  for (const char c : value) {
    if (c == '\\' || static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

DxfCodePage dxf_code_page_option(std::string_view value) {
  return value == "932" ? DxfCodePage::Cp932 : DxfCodePage::Auto;
}

std::string DxfTextConverter::convert(std::string_view value, DxfTextEncoding encoding,
                                      std::size_t capacity) {
  if (is_plain(value, encoding)) return std::string(value.substr(0, cut_length(value, capacity)));
  const std::size_t limit = capacity == 0 ? 0 : capacity - 1;
  std::string out;
  std::string unit;  // one character, or the escape written for one
  std::size_t pos = 0;
  while (pos < value.size()) {
    unit.clear();
    pos += take_unit(value, pos, encoding, unit);
    if (out.size() + unit.size() > limit) break;
    out += unit;
  }
  return out;
}

std::size_t DxfTextConverter::take_unit(std::string_view value, std::size_t pos,
                                        DxfTextEncoding encoding, std::string& unit) {
  const auto c = static_cast<unsigned char>(value[pos]);
  if (c == '\\') {
    if (const std::size_t n = take_escape(value, pos, unit)) return n;
    unit += '\\';
    return 1;
  }
  const bool has_next = pos + 1 < value.size();
  if (encoding == DxfTextEncoding::ShiftJis || c < 0x80) {
    if (encoding == DxfTextEncoding::ShiftJis && is_sjis_lead_byte(c) && has_next) {
      unit.append(value.substr(pos, 2));
      return 2;
    }
    unit += static_cast<char>(c);
    return 1;
  }
  const CodePageChar ch = decode(value, pos, encoding);
  if (ch.length == 0) {
    // Kept as it stands. A Shift-JIS lead byte takes a following byte along that is not a
    // character beyond ASCII of its own: the Shift-JIS text this becomes reads the two as one.
    if (is_sjis_lead_byte(c) && has_next) {
      const CodePageChar after = decode(value, pos + 1, encoding);
      if (after.length == 0 || after.code_point < 0x80) {
        unit.append(value.substr(pos, 2));
        return 2;
      }
    }
    unit += static_cast<char>(c);
    return 1;
  }
  take_code_point(ch.code_point, unit);
  return ch.length;
}

std::size_t DxfTextConverter::take_escape(std::string_view value, std::size_t pos,
                                          std::string& unit) {
  const long cp = unicode_escape_at(value, pos);
  if (cp >= 0) {
    // A NUL, a line end or a tab inside a cell would break the parts list and its files.
    if (is_control(cp)) return 0;
    const long low = unicode_escape_at(value, pos + kUnicodeEscapeLength);
    if (cp >= 0xD800 && cp <= 0xDBFF && low >= 0xDC00 && low <= 0xDFFF) {
      take_code_point(static_cast<char32_t>(0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00)),
                      unit);
      return 2 * kUnicodeEscapeLength;
    }
    take_code_point(static_cast<char32_t>(cp), unit);
    return kUnicodeEscapeLength;
  }
  if (value.substr(pos, 4) == "\\M+1") {
    const long code = read_hex4(value, pos + 4);
    if (code >= 0 && is_sjis_lead_byte(static_cast<unsigned char>(code >> 8)) &&
        is_sjis_trail_byte(static_cast<unsigned char>(code & 0xFF))) {
      unit += static_cast<char>(code >> 8);
      unit += static_cast<char>(code & 0xFF);
      return kMbcsEscapeLength;
    }
  }
  return 0;
}

CodePageChar DxfTextConverter::decode(std::string_view value, std::size_t pos,
                                      DxfTextEncoding encoding) {
  if (encoding == DxfTextEncoding::CodePage) return decoder_.next(value, pos);
  const Utf8Char ch = decode_utf8_char(value, pos);
  return {ch.code_point, ch.length};
}

void DxfTextConverter::take_code_point(char32_t cp, std::string& unit) {
  if (!encoder_.append(cp, unit)) append_not_held(unit, cp);
}

}  // namespace korvane
