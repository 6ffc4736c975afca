#include "dxf/dxf_ascii_tokeniser.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstring>

#include "dxf/line_ends.h"

namespace korvane {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim_blanks(std::string_view s) {
  while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
  return s;
}

// An optional sign and decimal digits, nothing else; a value beyond int saturates, since no
// group code the reader acts on is that large.
bool parse_group_code(std::string_view s, int& code) {
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  if (s.empty()) return false;
  long long value = 0;
  for (const char c : s) {
    if (c < '0' || c > '9') return false;
    if (value <= INT_MAX) value = value * 10 + (c - '0');
  }
  if (value > INT_MAX) value = INT_MAX;
  code = static_cast<int>(negative ? -value : value);
  return true;
}

// Spaces then one to four decimal digits: the group code lines as CAD programs write them.
// Anything else (a sign, a tab, trailing blanks) is left to parse_group_code.
inline bool read_short_code(const char* s, std::size_t n, int& code) {
  if (n - 1 >= 4) return false;
  std::size_t i = 0;
  while (i < n && s[i] == ' ') ++i;
  if (i == n) return false;
  int value = 0;
  for (; i < n; ++i) {
    const auto digit = static_cast<unsigned>(static_cast<unsigned char>(s[i])) - '0';
    if (digit > 9) return false;
    value = value * 10 + static_cast<int>(digit);
  }
  code = value;
  return true;
}

}  // namespace

void DxfAsciiTokeniser::feed(std::string_view bytes) {
  const char* p = bytes.data();
  const char* const end = p + bytes.size();
  // The first line (it may begin with a byte-order mark) and a line begun in an earlier block
  // take the general way; the lines whole in this block then go through take_lines.
  while (!stopped() && p < end && (first_line_ || carry_length_ > 0))
    p = take_line_in_parts(p, end);
  if (stopped() || p == end) return;
  p = take_lines(p, end);
  // What is left is the start of a line that ends in a later block.
  if (!stopped() && p < end) take_line_in_parts(p, end);
}

// One line from `p`, or its part up to `end`: carried until its end arrives. Returns where the
// next line begins (`end` when this one goes on).
const char* DxfAsciiTokeniser::take_line_in_parts(const char* p, const char* end) {
  const auto* lf =
      static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
  const std::size_t n = static_cast<std::size_t>((lf ? lf : end) - p);
  if (lf && carry_length_ == 0) {
    take_whole_line(std::string_view(p, n), n);
    return lf + 1;
  }
  carry_.append(p, std::min(n, kDxfValueKeep + 1 - carry_.size()));
  carry_length_ += n;
  if (carry_length_ > kDxfValueLimit) {
    refused_ = true;
    return end;
  }
  if (!lf) return end;
  take_carried_line();
  return lf + 1;
}

// The lines that end before `end`, found kLineEndBlock bytes at a time. Returns where the last,
// unfinished line begins. The common lines are taken here: a group code of up to four digits
// after spaces, a value of up to kDxfValueKeep bytes. Any other line goes the general way.
const char* DxfAsciiTokeniser::take_lines(const char* p, const char* const end) {
  // In locals, which the compiler keeps in registers across the rules' stores.
  bool expect_code = expect_code_;
  int code = code_;
  const char* line = p;
  for (const char* block = p; block < end; block += kLineEndBlock) {
    const auto size = std::min(static_cast<std::size_t>(end - block), kLineEndBlock);
    std::uint64_t mask =
        size == kLineEndBlock ? line_end_mask(block) : line_end_mask_portable(block, size);
    while (mask != 0) {
      const char* lf = block + std::countr_zero(mask);
      mask &= mask - 1;
      const auto whole = static_cast<std::size_t>(lf - line);
      const std::size_t n = whole != 0 && lf[-1] == '\r' ? whole - 1 : whole;
      if (expect_code && !blank_code_line_ && read_short_code(line, n, code)) {
        expect_code = false;
      } else if (!expect_code && n <= kDxfValueKeep) {
        expect_code = true;
        if (rules_.acts_on(code)) {
          rules_.take_pair(code, std::string_view(line, n));
          if (rules_.at_end()) return end;
        }
      } else {
        expect_code_ = expect_code;
        code_ = code;
        take_whole_line(std::string_view(line, whole), whole);
        if (stopped()) return end;
        expect_code = expect_code_;
        code = code_;
      }
      line = lf + 1;
    }
  }
  expect_code_ = expect_code;
  code_ = code;
  return line;
}

bool DxfAsciiTokeniser::finish() {
  if (!stopped() && carry_length_ > 0) take_carried_line();
  return !refused_;
}

void DxfAsciiTokeniser::take_carried_line() {
  take_whole_line(carry_, carry_length_);
  carry_.clear();
  carry_length_ = 0;
}

// `kept` is the start of a line of `length` bytes (the line end not counted), all of it when
// the line is short enough. A CR at its end belongs to the line end.
void DxfAsciiTokeniser::take_whole_line(std::string_view kept, std::size_t length) {
  if (length == kept.size() && !kept.empty() && kept.back() == '\r') {
    kept.remove_suffix(1);
    --length;
  }
  if (length > kDxfValueLimit) {
    refused_ = true;
    return;
  }
  take_line(kept.substr(0, kDxfValueKeep), length > kDxfValueKeep);
}

void DxfAsciiTokeniser::take_line(std::string_view line, bool truncated) {
  if (first_line_) {
    first_line_ = false;
    if (begins_with(line, kUtf8Bom)) line.remove_prefix(kUtf8Bom.size());
  }
  if (expect_code_) {
    take_code_line(line, truncated);
    return;
  }
  expect_code_ = true;
  rules_.take_pair(code_, line);
}

void DxfAsciiTokeniser::take_code_line(std::string_view line, bool truncated) {
  const std::string_view code = trim_blanks(line);
  if (code.empty() && !truncated) {
    // Allowed only at the end of the file; anything after it is refused below.
    blank_code_line_ = true;
    return;
  }
  if (blank_code_line_ || truncated || !parse_group_code(code, code_)) {
    refused_ = true;
    return;
  }
  expect_code_ = false;
}

}  // namespace korvane
