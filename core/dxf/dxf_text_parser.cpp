#include "dxf/dxf_text_parser.h"

#include <algorithm>

namespace korvane {

void DxfTextParser::feed(std::string_view bytes) {
  if (form_ == Form::Ascii) {
    ascii_.feed(bytes);
    return;
  }
  if (form_ == Form::Binary) {
    binary_.feed(bytes);
    return;
  }
  const std::size_t n = std::min(bytes.size(), kDxfBinarySentinel.size() - head_.size());
  head_.append(bytes.substr(0, n));
  bytes.remove_prefix(n);
  if (!kDxfBinarySentinel.starts_with(head_)) {
    feed_ascii_head();
    ascii_.feed(bytes);
  } else if (head_.size() == kDxfBinarySentinel.size()) {
    form_ = Form::Binary;
    binary_.feed(bytes);
  }
}

void DxfTextParser::feed_ascii_head() {
  form_ = Form::Ascii;
  ascii_.feed(head_);
  head_.clear();
}

DxfParseResult DxfTextParser::finish() {
  // A file shorter than the sentinel is read as ASCII, whatever it holds.
  if (form_ == Form::Unknown) feed_ascii_head();
  const bool read = form_ == Form::Ascii ? ascii_.finish() : binary_.finish();
  return read ? DxfParseResult::Read : DxfParseResult::NotDxf;
}

bool DxfTextParser::stopped() const {
  switch (form_) {
    case Form::Ascii:
      return ascii_.stopped();
    case Form::Binary:
      return binary_.stopped();
    default:
      return false;
  }
}

DxfParseResult parse_dxf_texts(std::string_view bytes, TextTable& table, DxfCodePage code_page) {
  DxfTextParser parser(table, code_page);
  parser.feed(bytes);
  return parser.finish();
}

}  // namespace korvane
