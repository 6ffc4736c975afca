#ifndef _WIN32

#include <iconv.h>

#include <cerrno>
#include <string>

#include "text/encoding.h"
#include "text/encoding_platform.h"

namespace korvane {
namespace {

// Converts with iconv, putting `replacement` for every byte that cannot be converted. False
// when some byte could not.
bool convert(const char* to, const char* from, std::string_view in, std::string_view replacement,
             std::string& out) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    out.assign(in);
    return false;
  }
  bool all = true;
  out.clear();
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
      // EILSEQ or EINVAL: skip the offending byte.
      all = false;
      out.append(replacement);
      ++src;
      --src_left;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return all;
}

std::string utf8_of(char32_t cp) {
  std::string utf8;
  if (cp < 0x800) {
    utf8 += static_cast<char>(0xC0 | (cp >> 6));
  } else {
    utf8 += static_cast<char>(0xE0 | (cp >> 12));
    utf8 += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
  }
  utf8 += static_cast<char>(0x80 | (cp & 0x3F));
  return utf8;
}

}  // namespace

std::string sjis_to_utf8(std::string_view sjis) {
  std::string out;
  convert("UTF-8", "CP932", sjis, "\xEF\xBF\xBD", out);
  return out;
}

namespace detail {

std::string platform_code_point_to_cp932(char32_t cp) {
  const std::string utf8 = utf8_of(cp);
  std::string bytes;
  std::string back;
  // glibc also encodes some JIS forms (¥ as 0x5C, ...), one way only: those do not count.
  if (!convert("CP932", "UTF-8", utf8, "", bytes) || bytes.empty() ||
      !convert("UTF-8", "CP932", bytes, "", back) || back != utf8) {
    return {};
  }
  return bytes;
}

namespace {

class IconvCodePage final : public PlatformCodePage {
 public:
  explicit IconvCodePage(iconv_t cd) : cd_(cd) {}
  ~IconvCodePage() override { iconv_close(cd_); }
  IconvCodePage(const IconvCodePage&) = delete;
  IconvCodePage& operator=(const IconvCodePage&) = delete;

  char32_t decode(std::string_view bytes) override {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(bytes.data());
    std::size_t src_left = bytes.size();
    char out[16];
    char* dst = out;
    std::size_t dst_left = sizeof out;
    if (iconv(cd_, &src, &src_left, &dst, &dst_left) == static_cast<std::size_t>(-1)) {
      // An incomplete sequence: the byte begins a character of two.
      return errno == EINVAL && bytes.size() == 1 ? kLeadByte : kUndefined;
    }
    // Code pages 1255 and 1258 hold a character back, in case a combining mark follows.
    iconv(cd_, nullptr, nullptr, &dst, &dst_left);
    if (src_left != 0 || dst - out != 4) return kUndefined;
    char32_t cp = 0;
    for (int k = 3; k >= 0; --k) cp = cp << 8 | static_cast<unsigned char>(out[k]);
    return cp;
  }

 private:
  iconv_t cd_;
};

}  // namespace

std::unique_ptr<PlatformCodePage> open_platform_code_page(unsigned code_page) {
  // glibc's "CP874" is IBM's Thai page; "WINDOWS-874" is the one Windows has. Where glibc has no
  // WINDOWS- name (the DOS pages, 949, 950), the CP name is the Windows table.
  for (const char* prefix : {"WINDOWS-", "CP"}) {
    const std::string name = prefix + std::to_string(code_page);
    iconv_t cd = iconv_open("UTF-32LE", name.c_str());
    if (cd != reinterpret_cast<iconv_t>(-1)) return std::make_unique<IconvCodePage>(cd);
  }
  return nullptr;
}

}  // namespace detail
}  // namespace korvane

#endif
