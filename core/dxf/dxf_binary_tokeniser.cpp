#include "dxf/dxf_binary_tokeniser.h"

#include <algorithm>
#include <cstring>

namespace korvane {
namespace {

enum class ValueType : std::uint8_t { String, Real, Int8, Int16, Int32, Int64, Chunk };

bool in(int code, int first, int last) { return code >= first && code <= last; }

ValueType value_type(int code) {
  if (in(code, 10, 59) || in(code, 110, 149) || in(code, 210, 239) || in(code, 460, 469) ||
      in(code, 1010, 1059)) {
    return ValueType::Real;
  }
  if (in(code, 60, 79) || in(code, 170, 179) || in(code, 270, 289) || in(code, 370, 389) ||
      in(code, 400, 409) || in(code, 1060, 1070)) {
    return ValueType::Int16;
  }
  if (in(code, 90, 99) || in(code, 420, 429) || in(code, 440, 459) || code == 1071) {
    return ValueType::Int32;
  }
  if (in(code, 160, 169)) return ValueType::Int64;
  if (in(code, 290, 299)) return ValueType::Int8;
  if (in(code, 310, 319) || code == 1004) return ValueType::Chunk;
  return ValueType::String;
}

std::size_t length_of(ValueType type) {
  switch (type) {
    case ValueType::Int8:
      return 1;
    case ValueType::Int16:
      return 2;
    case ValueType::Int32:
      return 4;
    default:
      return 8;
  }
}

// A little-endian 16-bit code; negative codes (-1 to -5) are codes too.
int int16_code(const unsigned char* b) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(b[0] | b[1] << 8));
}

double little_endian_double(const unsigned char* b) {
  std::uint64_t bits = 0;
  for (int k = 7; k >= 0; --k) bits = bits << 8 | b[k];
  double value = 0.0;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

}  // namespace

void DxfBinaryTokeniser::feed(std::string_view bytes) {
  std::size_t pos = 0;
  while (!stopped() && pos < bytes.size()) {
    if (step_ == Step::String) {
      pos += take_string(bytes.substr(pos));
    } else if (step_ == Step::Chunk) {
      const std::size_t n = std::min(chunk_left_, bytes.size() - pos);
      pos += n;
      chunk_left_ -= n;
      if (chunk_left_ == 0) {
        rules_.take_other();
        begin_code();
      }
    } else {
      const std::size_t n = std::min(fixed_need_ - fixed_have_, bytes.size() - pos);
      std::memcpy(fixed_ + fixed_have_, bytes.data() + pos, n);
      fixed_have_ += n;
      pos += n;
      if (fixed_have_ == fixed_need_) take_fixed();
    }
  }
}

// Takes string bytes up to and with the NUL, or all of `bytes`; returns how many it took.
std::size_t DxfBinaryTokeniser::take_string(std::string_view bytes) {
  const auto* nul = static_cast<const char*>(std::memchr(bytes.data(), '\0', bytes.size()));
  const std::size_t n = nul ? static_cast<std::size_t>(nul - bytes.data()) : bytes.size();
  if (nul && carry_length_ == 0) {
    end_string(bytes.substr(0, n), n);
  } else {
    carry_.append(bytes.data(), std::min(n, kDxfValueKeep - carry_.size()));
    carry_length_ += n;
    if (carry_length_ > kDxfValueLimit) {
      refused_ = true;
      return n;
    }
    if (nul) {
      end_string(carry_, carry_length_);
      carry_.clear();
      carry_length_ = 0;
    }
  }
  return nul ? n + 1 : n;
}

void DxfBinaryTokeniser::end_string(std::string_view kept, std::size_t length) {
  if (length > kDxfValueLimit) {
    refused_ = true;
    return;
  }
  rules_.take_pair(code_, kept.substr(0, kDxfValueKeep));
  begin_code();
}

void DxfBinaryTokeniser::take_fixed() {
  switch (step_) {
    case Step::FirstCode:
      // 0 "SECTION" opens every drawing: one code byte 0 and then "S", or two code bytes 0.
      if (fixed_[0] != 0) {
        refused_ = true;
        return;
      }
      code_ = 0;
      wide_codes_ = fixed_[1] == 0;
      step_ = Step::String;
      if (!wide_codes_) {
        carry_.assign(1, static_cast<char>(fixed_[1]));
        carry_length_ = 1;
      }
      return;
    case Step::Code:
      if (wide_codes_) {
        code_ = int16_code(fixed_);
      } else if (fixed_[0] == 255) {
        begin_fixed(Step::WideCode, 2);
        return;
      } else {
        code_ = fixed_[0];
      }
      begin_value();
      return;
    case Step::WideCode:
      code_ = int16_code(fixed_);
      begin_value();
      return;
    case Step::Number:
      if (real_) {
        rules_.take_real(code_, little_endian_double(fixed_));
      } else {
        rules_.take_other();
      }
      begin_code();
      return;
    case Step::ChunkLength:
      chunk_left_ = fixed_[0];
      if (chunk_left_ == 0) {
        rules_.take_other();
        begin_code();
      } else {
        step_ = Step::Chunk;
      }
      return;
    default:
      return;
  }
}

void DxfBinaryTokeniser::begin_code() { begin_fixed(Step::Code, wide_codes_ ? 2 : 1); }

void DxfBinaryTokeniser::begin_value() {
  const ValueType type = value_type(code_);
  if (type == ValueType::String) {
    step_ = Step::String;
  } else if (type == ValueType::Chunk) {
    begin_fixed(Step::ChunkLength, 1);
  } else {
    real_ = type == ValueType::Real;
    begin_fixed(Step::Number, length_of(type));
  }
}

void DxfBinaryTokeniser::begin_fixed(Step step, std::size_t length) {
  step_ = step;
  fixed_have_ = 0;
  fixed_need_ = length;
}

}  // namespace korvane
