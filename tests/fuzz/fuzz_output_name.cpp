// The output names rewritten for a selection, on any name: a name that is given back ends in the
// selection's ending, counted in bytes from the end of the name it came from, and keeps every
// byte before the cut; the save dialog's completion leaves it as it is. Selections other than
// the four keep the name. The cut never reaches into the folder or splits a character.
//
// Input: one byte for the selection (as a signed number) and the kind, then the name.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "output/parts_list_writer.h"

using namespace korvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const auto selection = static_cast<Selection>(static_cast<std::int8_t>(data[0]) >> 1);
  const OutputKind kind = data[0] % 2 ? OutputKind::Txt : OutputKind::Csv;
  const std::string_view name(reinterpret_cast<const char*>(data) + 1, size - 1);

  const std::optional<std::string> rewritten = rewrite_output_ending(name, selection, kind);
  if (!rewritten) return 0;
  std::string ending = kind == OutputKind::Txt ? ".txt" : ".csv";
  std::size_t replaced = 0;
  switch (selection) {
    case Selection::All:
      replaced = 4;
      break;
    case Selection::Supplied:
      replaced = 4;
      ending = "1" + ending;
      break;
    case Selection::NotPurchased:
      replaced = 5;
      ending = "2" + ending;
      break;
    case Selection::Purchased:
      replaced = 5;
      ending = "3" + ending;
      break;
    default:
      if (*rewritten != name) std::abort();
      return 0;
  }
  const std::string& out = *rewritten;
  if (name.size() < replaced || out.size() != name.size() - replaced + ending.size() ||
      out.compare(0, name.size() - replaced, name, 0, name.size() - replaced) != 0 ||
      !out.ends_with(ending) || complete_output_extension(out, kind) != out) {
    std::abort();
  }
  // The cut stays inside the last component: the folder part is kept whole, and a name is never
  // cut inside a UTF-8 character (these targets run on POSIX, where paths are UTF-8).
  const std::size_t slash = name.rfind('/');
  const std::size_t component = slash == std::string_view::npos ? 0 : slash + 1;
  const std::size_t cut = name.size() - replaced;
  if (cut < component ||
      (cut < name.size() && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)) {
    std::abort();
  }
  return 0;
}
