#include "convert/name_completion.h"

#include <string>
#include <vector>

#include "convert/cells.h"
#include "workspace.h"

namespace korvane {

namespace {

bool tag_prefix_match(std::string_view row_tag, const BasePartEntry& e) {
  return !e.tag.empty() && begins_with(row_tag, e.tag);
}

bool type_prefix_match(std::string_view row_type, const BasePartEntry& e) {
  return !e.type.empty() && begins_with(row_type, e.type);
}

class Completion {
 public:
  explicit Completion(Workspace& ws)
      : parts_(ws.parts),
        s_(ws.settings),
        entries_(stored_entries(ws.base_parts)),
        next_free_(ws.parts.row_count()) {}

  void run() {
    const int count = next_free_;
    for (int i = 0; i < count; ++i) {
      const std::string tag = parts_.get_cell(i, s_.column_map.tag, kPassCellCapacity);
      const std::string type = parts_.get_cell(i, s_.column_map.type, kPassCellCapacity);
      for (const BasePartEntry& e : entries_) {
        if ((tag_prefix_match(tag, e) || wildcard_tag_match(tag, e.tag)) &&
            type_prefix_match(type, e)) {
          apply(e, i, tag);
          break;
        }
      }
    }
    for (int i = 0; i < count; ++i) {
      const std::string tag = parts_.get_cell(i, s_.column_map.tag, kPassCellCapacity);
      const std::string type = parts_.get_cell(i, s_.column_map.type, kPassCellCapacity);
      if (!cell_view(parts_, i, s_.column_map.part_name, kPassCellCapacity).empty()) continue;
      for (const BasePartEntry& e : entries_) {
        if (tag_prefix_match(tag, e) || type_prefix_match(type, e) ||
            wildcard_tag_match(tag, e.tag)) {
          apply(e, i, tag);
          break;
        }
      }
    }
  }

 private:
  void apply(const BasePartEntry& e, int row, const std::string& row_tag) {
    const std::string_view supply = supply_class_text(e.supply_class);
    parts_.set_cell(row, s_.column_map.part_name, e.part_name);
    parts_.set_cell(row, s_.column_map.maker, e.maker);
    parts_.set_cell(row, s_.column_map.supply, supply);
    for (const Accessory& a : e.accessories) {
      if (a.name.empty()) continue;
      RowBuffer buffer{};
      put_cell(buffer, s_.column_map.tag, row_tag);
      put_cell(buffer, s_.column_map.part_name, a.name);
      put_cell(buffer, s_.column_map.maker, e.maker);
      put_cell(buffer, s_.column_map.type, a.type);
      put_cell(buffer, s_.column_map.quantity, "1");
      put_cell(buffer, s_.column_map.supply, supply);
      insert_parts_row(parts_, buffer, next_free_++);
    }
  }

  PartsList& parts_;
  const Settings& s_;
  const std::vector<BasePartEntry> entries_;
  int next_free_;
};

}  // namespace

bool wildcard_tag_match(std::string_view row_tag, std::string_view entry_tag) {
  const std::size_t star = entry_tag.find('*');
  if (star == std::string_view::npos) return false;
  if (!begins_with(row_tag, entry_tag.substr(0, star))) return false;
  const std::string_view after = entry_tag.substr(star + 1);
  if (after.empty()) return true;
  return row_tag.size() > star && begins_with(row_tag.substr(star + 1), after);
}

void insert_parts_row(PartsList& parts, const RowBuffer& buffer, int index) {
  const int at = parts.insert_row(index, cut_view(buffer[0], kPassCellCapacity));
  for (int c = 1; c < kColumnCount; ++c) {
    parts.set_cell(at, c, cut_view(buffer[static_cast<std::size_t>(c)], kPassCellCapacity));
  }
}

void complete_part_names(Workspace& ws) {
  if (ws.parts.row_count() <= 0 || ws.base_parts.entries.empty()) return;
  Completion(ws).run();
}

}  // namespace korvane
