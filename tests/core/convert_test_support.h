// Building parts lists and base parts lists for the conversion pass tests. Rows use the reset
// column order: tag, drawing, part name, maker, spec, type, quantity, supply class.
#pragma once

#include <string>
#include <vector>

#include "settings/settings.h"
#include "test_support.h"
#include "text/sjis.h"
#include "workspace.h"

namespace korvane::test {

struct Row {
  std::string tag{}, drawing{}, name{}, maker{}, spec{}, type{}, qty{}, supply{};
};

inline BasePartEntry base_entry(std::string tag, std::string type, std::string name = "",
                                std::string maker = "", int supply_class = 0) {
  BasePartEntry e;
  e.part_name = std::move(name);
  e.tag = std::move(tag);
  e.type = std::move(type);
  e.maker = std::move(maker);
  e.supply_class = supply_class;
  return e;
}

inline PartsRow to_row(const Row& r) {
  return {r.tag, r.drawing, r.name, r.maker, r.spec, r.type, r.qty, r.supply};
}

// A workspace with the reset columns (tag column 150 pixels wide: a width limit of 18).
inline Workspace convert_workspace(const std::vector<Row>& rows,
                                   std::vector<BasePartEntry> entries = {}) {
  Workspace ws;
  reset_settings_values(ws.settings);
  for (const Row& r : rows) ws.parts.append_row(to_row(r));
  ws.base_parts.entries = std::move(entries);
  return ws;
}

inline std::vector<std::string> column(const PartsList& parts, int c) {
  std::vector<std::string> out;
  for (int i = 0; i < parts.row_count(); ++i) out.push_back(parts.cell(i, c));
  return out;
}

inline std::vector<std::string> tags(const PartsList& parts) { return column(parts, 0); }

// True when no character of the text was cut in half.
inline bool whole_characters(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (is_sjis_lead_byte(static_cast<unsigned char>(text[i])) && ++i == text.size()) return false;
  }
  return true;
}

}  // namespace korvane::test
