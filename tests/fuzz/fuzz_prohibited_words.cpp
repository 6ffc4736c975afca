// The prohibited words reader on any bytes: no crash, words within their capacity, and what the
// writer makes of them reads back the same.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "reference/prohibited_words_file.h"

using namespace korvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const ProhibitedWordsParse parsed = parse_prohibited_words(bytes);
  const auto& words = parsed.words.words;
  if (words.size() > static_cast<std::size_t>(kProhibitedWordsCapacity)) std::abort();
  for (const std::string& w : words) {
    if (w.empty() || w.size() >= kWordCapacity) std::abort();
  }
  const ProhibitedWordsParse again = parse_prohibited_words(format_prohibited_words(parsed.words));
  if (again.truncated || again.words.words != words) std::abort();
  return 0;
}
