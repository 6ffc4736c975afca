// The group pairs of a binary DXF drawing, taken from its bytes as they arrive (the bytes after
// the sentinel "AutoCAD Binary DXF\r\n\x1a\0").
//
// A group code is two bytes, little-endian (R13 and later), or one byte where 255 announces two
// more (R12 and older); the first pair, 0 "SECTION", tells which. Its value is typed by the code:
// a little-endian double, an integer of 1, 2, 4 or 8 bytes, binary data after a length byte, or
// a NUL-terminated string.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "dxf/dxf_text_rules.h"

namespace korvane {

inline constexpr std::string_view kDxfBinarySentinel{"AutoCAD Binary DXF\r\n\x1A\0", 22};

class DxfBinaryTokeniser {
 public:
  // Every pair goes to `rules`, which must outlive the tokeniser.
  explicit DxfBinaryTokeniser(DxfTextRules& rules) : rules_(rules) {}

  // The next bytes after the sentinel, split anywhere. Ignored once stopped().
  void feed(std::string_view bytes);
  // The end of the file. False when the file ended before its EOF marker (cut short) or is not
  // a binary DXF after all.
  bool finish() const { return !refused_ && rules_.at_end(); }

  // True once nothing more will be taken: the EOF marker was read, or the file is malformed.
  bool stopped() const { return refused_ || rules_.at_end(); }

 private:
  enum class Step : std::uint8_t {
    FirstCode,    // the first code, 0, and the byte after it: 0 again, or the "S" of "SECTION"
    Code,         // one or two bytes
    WideCode,     // two bytes after the 255 of a one-byte code
    Number,       // a value of fixed length
    String,       // up to its NUL
    ChunkLength,  // the length byte of binary data
    Chunk,        // binary data
  };

  std::size_t take_string(std::string_view bytes);
  void take_fixed();
  void begin_code();
  void begin_value();
  void begin_fixed(Step step, std::size_t length);
  void end_string(std::string_view kept, std::size_t length);

  DxfTextRules& rules_;
  Step step_ = Step::FirstCode;
  bool wide_codes_ = false;  // two-byte group codes
  bool refused_ = false;
  int code_ = 0;
  bool real_ = false;  // the Number being read is a double

  // A fixed-length piece (a code, a number, a length byte) as far as it has arrived.
  unsigned char fixed_[8] = {};
  std::size_t fixed_have_ = 0;
  std::size_t fixed_need_ = 2;

  // A string that began in an earlier block: its first bytes (at most kDxfValueKeep) and its
  // full length so far.
  std::string carry_;
  std::size_t carry_length_ = 0;

  std::size_t chunk_left_ = 0;
};

}  // namespace korvane
