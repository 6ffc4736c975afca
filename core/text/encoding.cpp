#include "text/encoding.h"

#include "text/encoding_platform.h"
#include "text/sjis.h"

namespace korvane {
namespace {

constexpr std::uint32_t kNotHeld = 1;
constexpr std::uint32_t kHeld = 1u << 24;

struct Twin {
  char32_t code_point;
  char bytes[2];
};

// JIS X 0208 mappings whose code page 932 reading is another code point.
constexpr Twin kJisTwins[] = {
    {0x00A2, {'\x81', '\x91'}},  // ¢ as ￠
    {0x00A3, {'\x81', '\x92'}},  // £ as ￡
    {0x00AC, {'\x81', '\xCA'}},  // ¬ as ￢
    {0x2014, {'\x81', '\x5C'}},  // — as ―
    {0x2016, {'\x81', '\x61'}},  // ‖ as ∥
    {0x2212, {'\x81', '\x7C'}},  // − as －
    {0x301C, {'\x81', '\x60'}},  // 〜 as ～
};

// SjisToUtf8Converter's entry of a character's bytes: their UTF-8 form when the platform reads
// them as one character (U+FFFD, the mark of a byte it could not read, is none), else kNotOne.
constexpr std::uint32_t kNotOne = 1;

std::uint32_t utf8_entry(std::string_view sjis) {
  const std::string utf8 = sjis_to_utf8(sjis);
  const Utf8Char ch = decode_utf8_char(utf8, 0);
  if (ch.length == 0 || ch.length != utf8.size() || ch.length > 3 || ch.code_point == 0xFFFD) {
    return kNotOne;
  }
  std::uint32_t entry = static_cast<std::uint32_t>(utf8.size()) << 24;
  for (std::size_t k = 0; k < utf8.size(); ++k) {
    entry |= static_cast<std::uint32_t>(static_cast<unsigned char>(utf8[k])) << (8 * k);
  }
  return entry;
}

}  // namespace

std::string code_point_to_sjis(char32_t cp) {
  if (cp < 0x80) return std::string(1, static_cast<char>(cp));
  if (cp > 0xFFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return {};
  if (cp == 0x80 || (cp >= 0xF8F0 && cp <= 0xF8F3)) return {};
  for (const Twin& twin : kJisTwins) {
    if (twin.code_point == cp) return std::string(twin.bytes, 2);
  }
  return detail::platform_code_point_to_cp932(cp);
}

Utf8Char decode_utf8_char(std::string_view text, std::size_t pos) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[pos + k]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return {lead, 1};
  std::size_t length = 0;
  char32_t cp = 0;
  char32_t min = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    cp = lead & 0x1Fu;
    min = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    cp = lead & 0x0Fu;
    min = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    cp = lead & 0x07u;
    min = 0x10000;
  } else {
    return {};
  }
  if (text.size() - pos < length) return {};
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(k) & 0xC0) != 0x80) return {};
    cp = (cp << 6) | (byte(k) & 0x3Fu);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return {};
  return {cp, length};
}

std::string utf8_to_sjis(std::string_view utf8, bool* ok) {
  if (ok) *ok = true;
  std::string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    Utf8Char c = decode_utf8_char(utf8, pos);
    std::string bytes;
    if (c.length == 0) {
      c.length = 1;
    } else {
      bytes = code_point_to_sjis(c.code_point);
    }
    if (bytes.empty()) {
      if (ok) *ok = false;
      bytes = "?";
    }
    out += bytes;
    pos += c.length;
  }
  return out;
}

bool Cp932Encoder::append(char32_t cp, std::string& out) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
    return true;
  }
  if (cp > 0xFFFF) return false;
  if (!known_) known_ = std::make_unique<std::uint32_t[]>(0x10000);
  std::uint32_t& entry = known_[cp];
  if (entry == 0) {
    const std::string bytes = code_point_to_sjis(cp);
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    if (bytes.size() == 1) {
      entry = kHeld | 1u << 16 | b(0);
    } else if (bytes.size() == 2) {
      entry = kHeld | 2u << 16 | static_cast<std::uint32_t>(b(0)) << 8 | b(1);
    } else {
      entry = kNotHeld;
    }
  }
  if (entry == kNotHeld) return false;
  if (((entry >> 16) & 0xFF) == 2) out += static_cast<char>((entry >> 8) & 0xFF);
  out += static_cast<char>(entry & 0xFF);
  return true;
}

std::uint32_t SjisToUtf8Converter::single(unsigned char byte) {
  std::uint32_t& entry = singles_[byte];
  if (entry == 0) entry = utf8_entry(std::string_view(reinterpret_cast<const char*>(&byte), 1));
  return entry;
}

std::uint32_t SjisToUtf8Converter::pair(unsigned char lead, unsigned char trail) {
  if (!pairs_) pairs_ = std::make_unique<std::uint32_t[]>(0x10000);
  std::uint32_t& entry = pairs_[static_cast<std::size_t>(lead) << 8 | trail];
  if (entry == 0) {
    const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    entry = utf8_entry(std::string_view(bytes, 2));
  }
  return entry;
}

void SjisToUtf8Converter::append(std::string_view sjis, std::string& out) {
  const std::size_t start = out.size();
  std::size_t i = 0;
  while (i < sjis.size()) {
    const auto c = static_cast<unsigned char>(sjis[i]);
    if (c < 0x80 && singles_[c] == (1u << 24 | c)) {  // ASCII, once the platform has said so
      out += static_cast<char>(c);
      ++i;
      continue;
    }
    const bool two = is_sjis_lead_byte(c) && i + 1 < sjis.size();
    const std::uint32_t entry = two ? pair(c, static_cast<unsigned char>(sjis[i + 1])) : single(c);
    if (entry == kNotOne) {
      out.resize(start);
      out += sjis_to_utf8(sjis);
      return;
    }
    for (std::uint32_t k = 0; k < entry >> 24; ++k) out += static_cast<char>(entry >> (8 * k));
    i += two ? 2 : 1;
  }
}

}  // namespace korvane
