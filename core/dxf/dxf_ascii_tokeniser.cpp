#include "dxf/dxf_ascii_tokeniser.h"

#include <algorithm>
#include <climits>
#include <cstring>

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

}  // namespace

void DxfAsciiTokeniser::feed(std::string_view bytes) {
  const char* p = bytes.data();
  const char* const end = p + bytes.size();
  while (!stopped() && p < end) {
    const auto* lf =
        static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
    const std::size_t n = static_cast<std::size_t>((lf ? lf : end) - p);
    if (lf && carry_length_ == 0) {
      take_whole_line(std::string_view(p, n), n);
    } else {
      carry_.append(p, std::min(n, kDxfValueKeep + 1 - carry_.size()));
      carry_length_ += n;
      if (carry_length_ > kDxfValueLimit) {
        refused_ = true;
        return;
      }
      if (!lf) return;
      take_carried_line();
    }
    p = lf + 1;
  }
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
