#include "convert/name_completion.h"

#include <string>
#include <vector>

#include "convert/cells.h"
#include "convert/pass_log.h"
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
  Completion(Workspace& ws, PassLog* log)
      : parts_(ws.parts),
        log_(log),
        s_(ws.settings),
        entries_(stored_entries(ws.base_parts)),
        next_free_(ws.parts.row_count()) {}

  void run() {
    const int count = next_free_;
    for (int i = 0; i < count; ++i) {
      const std::string tag = parts_.get_cell(i, s_.column_map.tag, kPassCellCapacity);
      const std::string type = parts_.get_cell(i, s_.column_map.type, kPassCellCapacity);
      for (std::size_t k = 0; k < entries_.size(); ++k) {
        const BasePartEntry& e = entries_[k];
        if ((tag_prefix_match(tag, e) || wildcard_tag_match(tag, e.tag)) &&
            type_prefix_match(type, e)) {
          apply(k, i, tag, true);
          break;
        }
      }
    }
    for (int i = 0; i < count; ++i) {
      const std::string tag = parts_.get_cell(i, s_.column_map.tag, kPassCellCapacity);
      const std::string type = parts_.get_cell(i, s_.column_map.type, kPassCellCapacity);
      if (!cell_view(parts_, i, s_.column_map.part_name, kPassCellCapacity).empty()) continue;
      for (std::size_t k = 0; k < entries_.size(); ++k) {
        const BasePartEntry& e = entries_[k];
        if (tag_prefix_match(tag, e) || type_prefix_match(type, e) ||
            wildcard_tag_match(tag, e.tag)) {
          apply(k, i, tag, false);
          break;
        }
      }
    }
  }

 private:
  void apply(std::size_t entry, int row, const std::string& row_tag, bool tag_and_type) {
    const BasePartEntry& e = entries_[entry];
    const RowId id = parts_.row_ids()[static_cast<std::size_t>(row)];
    if (log_) log_->completions.push_back({id, e.tag, e.part_name, tag_and_type});
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
      const int at = next_free_++;
      insert_parts_row(parts_, buffer, at);
      if (log_)
        log_->lineage.push_back({parts_.row_ids()[static_cast<std::size_t>(at)], id, false});
    }
  }

  PartsList& parts_;
  PassLog* log_;
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

void complete_part_names(Workspace& ws, PassLog* log) {
  if (ws.parts.row_count() <= 0 || ws.base_parts.entries.empty()) return;
  Completion(ws, log).run();
}

}  // namespace korvane
