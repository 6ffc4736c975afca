#include "schematic.h"

#include <charconv>
#include <cstdint>
#include <iterator>

namespace korvane::test {
namespace {

// Longer tags first, as a base parts list keeps them (THR before T).
const char* const kFamilies[] = {"MCCB", "THR", "MC", "CR", "PB", "PL", "T", "X"};
const char* const kRatings[] = {"AC200V", "DC24V 2c", "3P 30AF", "10A", "0.5-10S", "AC100V 1a1b"};

// The same numbers on every platform (the standard distributions are not).
class Random {
 public:
  explicit Random(unsigned seed) : state_(seed * 2654435761u + 1) {}
  double unit() {  // [0, 1)
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<double>(state_ >> 11) / 9007199254740992.0;
  }
  int below(int n) { return static_cast<int>(unit() * n); }

 private:
  std::uint64_t state_;
};

std::string number(double v) {
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
  return std::string(buffer, end);
}

}  // namespace

Schematic make_schematic(const SchematicLayout& l) {
  Random random(l.seed);
  const double p = l.pitch;
  const auto jitter = [&](double amount) { return (random.unit() * 2 - 1) * amount * p; };
  const double across = l.column_lines * p;
  const double down = l.row_lines * p;
  Schematic s;
  int n = 0;
  for (int r = 0; r < l.rows; ++r) {
    for (int c = 0; c < l.columns; ++c) {
      ++n;
      const double x = l.origin_x + c * across;
      const double y = l.origin_y - r * down;
      const std::string suffix = std::to_string(n);
      IntendedRow row{kFamilies[random.below(std::size(kFamilies))] + suffix, "", ""};
      s.texts.push_back({x + jitter(l.jitter_x), y + jitter(l.jitter_y), row.tag});
      const int lines = 1 + random.below(3);
      for (int k = 1; k <= lines; ++k) {
        std::string text = k == 1   ? kRatings[random.below(std::size(kRatings))] + (" #" + suffix)
                           : k == 2 ? "KX-" + suffix
                                    : "S" + suffix;
        s.texts.push_back(
            {x + l.indent * p + jitter(l.jitter_x), y - k * p + jitter(l.jitter_y), text});
        if (k == 1) row.spec = text;
        if (k == 2) row.type = text;
      }
      s.intended.push_back(std::move(row));
      // On the wire to the next symbol across, somewhere between this row and the next, and
      // every other symbol on the wire that enters it from the left, just beside its stack.
      s.texts.push_back(
          {x + across / 2 + jitter(0.5), y - random.unit() * down, std::to_string(100 + n)});
      if (n % 2 == 0) {
        s.texts.push_back({x - (0.9 + 0.4 * random.unit()) * p, y - (0.5 + 3 * random.unit()) * p,
                           std::to_string(500 + n)});
      }
      // A terminal label on the wire in front, and now and then a note right of the stack.
      s.texts.push_back({x - 0.35 * across, y - 0.5 * down, "TB1-" + suffix});
      if (n % 3 == 0) s.texts.push_back({x + 0.3 * across, y - 0.6 * down, "NOTE " + suffix});
    }
  }
  return s;
}

BasePartsStore schematic_base_parts() {
  BasePartsStore store;
  for (const char* family : kFamilies) {
    BasePartEntry e;
    e.part_name = "part";
    e.tag = family;
    e.type = std::string("K") + family + "-";
    e.maker = "maker";
    store.entries.push_back(e);
  }
  return store;
}

ProhibitedWords schematic_words() { return {{"TB", "NOTE"}}; }

std::string schematic_dxf(const TextTable& texts) {
  std::string out = "  0\nSECTION\n  2\nENTITIES\n";
  for (const TextRecord& t : texts) {
    out += "  0\nTEXT\n  8\n0\n 10\n" + number(t.x) + "\n 20\n" + number(t.y) +
           "\n 40\n2.5\n  1\n" + t.text + "\n";
  }
  return out + "  0\nENDSEC\n  0\nEOF\n";
}

std::string schematic_base_parts_file() {
  std::string out;
  for (const BasePartEntry& e : schematic_base_parts().entries) {
    out += e.part_name + "," + e.tag + "," + e.type + "," + e.maker + ",0,,,,,,,,\r\n";
  }
  return out;
}

}  // namespace korvane::test
