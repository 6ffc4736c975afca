// Cell and base-parts-entry access shared by the conversion passes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "parts/parts_list.h"
#include "reference/base_parts.h"
#include "text/sjis.h"

namespace korvane {

// Buffer size through which duplicate removal and completion read a cell.
inline constexpr std::size_t kPassCellCapacity = 64;
// Buffer size through which the sort reads a cell.
inline constexpr std::size_t kSortCellCapacity = 256;

// The text as a buffer of `capacity` bytes would hold it, without copying.
inline std::string_view cut_view(std::string_view text, std::size_t capacity) {
  return text.substr(0, cut_length(text, capacity));
}

// A cell as a buffer of `capacity` bytes would hold it. The view lives as long as the row is
// neither changed nor moved.
inline std::string_view cell_view(const PartsList& parts, int row, int column,
                                  std::size_t capacity) {
  return cut_view(parts.cell(row, column), capacity);
}

inline bool is_column(int column) { return column >= 0 && column < kColumnCount; }

// Sets one cell of a row under construction; a column number outside the row (a settings file
// can hold any number) writes nothing, as setting a missing list-view cell does.
inline void put_cell(PartsRow& row, int column, std::string_view text) {
  if (is_column(column)) row[static_cast<std::size_t>(column)] = std::string(text);
}

// The entries as their fixed fields hold them: every text cut to its field.
inline std::vector<BasePartEntry> stored_entries(const BasePartsStore& store) {
  std::vector<BasePartEntry> out;
  out.reserve(store.entries.size());
  for (const BasePartEntry& e : store.entries) {
    BasePartEntry c;
    c.part_name = cut_to_capacity(e.part_name, kPartNameCapacity);
    c.tag = cut_to_capacity(e.tag, kTagCapacity);
    c.type = cut_to_capacity(e.type, kTypeCapacity);
    c.maker = cut_to_capacity(e.maker, kMakerCapacity);
    c.supply_class = e.supply_class;
    for (std::size_t k = 0; k < c.accessories.size(); ++k) {
      c.accessories[k].name = cut_to_capacity(e.accessories[k].name, kAccessoryCapacity);
      c.accessories[k].type = cut_to_capacity(e.accessories[k].type, kAccessoryCapacity);
    }
    out.push_back(std::move(c));
  }
  return out;
}

}  // namespace korvane
