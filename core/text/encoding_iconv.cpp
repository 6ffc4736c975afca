#ifndef _WIN32

#include <iconv.h>

#include <cerrno>

#include "text/encoding.h"

namespace korvane {
namespace {

// Converts with iconv, putting `replacement` for every sequence that cannot be converted.
std::string convert(const char* to, const char* from, std::string_view in,
                    std::string_view replacement, std::size_t bad_step, bool* ok) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    if (ok) *ok = false;
    return std::string(in);
  }
  std::string out;
  out.reserve(in.size() * 2);
  char* src = const_cast<char*>(in.data());
  std::size_t src_left = in.size();
  char buffer[1024];
  while (src_left > 0) {
    char* dst = buffer;
    std::size_t dst_left = sizeof buffer;
    const std::size_t r = iconv(cd, &src, &src_left, &dst, &dst_left);
    out.append(buffer, static_cast<std::size_t>(dst - buffer));
    if (r == static_cast<std::size_t>(-1)) {
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL: skip the offending sequence.
      if (ok) *ok = false;
      out.append(replacement);
      std::size_t step = bad_step;
      if (step == 0) {
        // UTF-8 input: skip one whole sequence when its lead byte says how long it is.
        const unsigned char lead = static_cast<unsigned char>(*src);
        step = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        for (std::size_t k = 1; k < step; ++k) {
          if (k >= src_left || (static_cast<unsigned char>(src[k]) & 0xC0) != 0x80) {
            step = k;
            break;
          }
        }
      }
      if (step > src_left) step = src_left;
      src += step;
      src_left -= step;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return out;
}

}  // namespace

std::string sjis_to_utf8(std::string_view sjis) {
  return convert("UTF-8", "CP932", sjis, "\xEF\xBF\xBD", 1, nullptr);
}

std::string utf8_to_sjis(std::string_view utf8, bool* ok) {
  if (ok) *ok = true;
  return convert("CP932", "UTF-8", utf8, "?", 0, ok);
}

std::string code_point_to_sjis(char32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return {};
  std::string utf8;
  if (cp < 0x80) {
    utf8 += static_cast<char>(cp);
  } else if (cp < 0x800) {
    utf8 += static_cast<char>(0xC0 | (cp >> 6));
    utf8 += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    utf8 += static_cast<char>(0xE0 | (cp >> 12));
    utf8 += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    utf8 += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    utf8 += static_cast<char>(0xF0 | (cp >> 18));
    utf8 += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    utf8 += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    utf8 += static_cast<char>(0x80 | (cp & 0x3F));
  }
  bool ok = true;
  std::string out = utf8_to_sjis(utf8, &ok);
  return ok ? out : std::string();
}

}  // namespace korvane

#endif
