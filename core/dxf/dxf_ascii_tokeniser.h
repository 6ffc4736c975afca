// The group pairs of an ASCII DXF drawing, taken from its bytes as they arrive: a group-code
// line, then its value line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "dxf/dxf_text_rules.h"

namespace korvane {

class DxfAsciiTokeniser {
 public:
  // Every pair goes to `rules`, which must outlive the tokeniser.
  explicit DxfAsciiTokeniser(DxfTextRules& rules) : rules_(rules) {}

  // The next bytes of the file, split anywhere. Ignored once stopped().
  void feed(std::string_view bytes);
  // The end of the file: takes a last line that has no line end (a CR ending it is dropped
  // too, as in a file cut between CR and LF). False when the file is not an ASCII DXF.
  bool finish();

  // True once nothing more will be taken: the EOF marker was read, or the file is not ASCII DXF.
  bool stopped() const { return refused_ || rules_.at_end(); }

 private:
  const char* take_line_in_parts(const char* p, const char* end);
  const char* take_lines(const char* p, const char* end);
  void take_carried_line();
  void take_whole_line(std::string_view kept, std::size_t length);
  void take_line(std::string_view line, bool truncated);
  void take_code_line(std::string_view line, bool truncated);

  DxfTextRules& rules_;

  // A line that began in an earlier block: its first bytes (at most kDxfValueKeep + 1, enough to
  // tell whether it ends in CR) and its full length.
  std::string carry_;
  std::size_t carry_length_ = 0;

  bool first_line_ = true;
  bool expect_code_ = true;
  bool blank_code_line_ = false;  // a blank line stood where a group code was due
  bool refused_ = false;
  int code_ = 0;
};

}  // namespace korvane
