// Generated schematics for the tests of window tuning: symbols on a grid, each with a tag and one
// to three texts stacked under it at the line pitch, wire numbers and notes between them. Every
// schematic knows the row each symbol is meant to give.
#pragma once

#include <string>
#include <vector>

#include "dxf/text_table.h"
#include "reference/base_parts.h"
#include "reference/prohibited_words.h"

namespace korvane::test {

struct SchematicLayout {
  double pitch = 4.0;     // from a tag to its first line, and between lines
  double origin_x = 0.0;  // the top left symbol's tag
  double origin_y = 0.0;
  int columns = 6;
  int rows = 5;
  double column_lines = 12.0;  // from one symbol to the next across, in pitches
  double row_lines = 8.0;      // and down
  double indent = 0.0;         // lines stand this many pitches right of their tag
  double jitter_x = 0.0;       // each text moves at most this many pitches left or right
  double jitter_y = 0.0;       // and up or down
  unsigned seed = 1;
};

// What a symbol is meant to give with the default columns: the first text below the tag as the
// specification, the second as the type.
struct IntendedRow {
  std::string tag;
  std::string spec;
  std::string type;
};

struct Schematic {
  TextTable texts;
  std::vector<IntendedRow> intended;
};

Schematic make_schematic(const SchematicLayout& layout);

// The families of the schematics' tags and the words their terminal labels begin with.
BasePartsStore schematic_base_parts();
ProhibitedWords schematic_words();

// A minimal ASCII drawing of the texts (one TEXT entity each, in table order).
std::string schematic_dxf(const TextTable& texts);
// The base parts list file of schematic_base_parts().
std::string schematic_base_parts_file();

}  // namespace korvane::test
