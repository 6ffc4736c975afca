#include "convert/work_table.h"

#include "convert/cells.h"
#include "convert/pass_log.h"
#include "settings/settings.h"

namespace korvane {

WorkRecord read_work_record(const PartsList& parts, int row, const Settings& s,
                            std::size_t quantity_capacity) {
  WorkRecord r;
  r.tag = cell_view(parts, row, s.column_map.tag, kWorkTagCapacity);
  r.drawing = cell_view(parts, row, s.column_map.drawing, kWorkDrawingCapacity);
  r.part_name = cell_view(parts, row, s.column_map.part_name, kWorkPartNameCapacity);
  r.maker = cell_view(parts, row, s.column_map.maker, kWorkMakerCapacity);
  r.spec = cell_view(parts, row, s.column_map.spec, kWorkSpecCapacity);
  r.type = cell_view(parts, row, s.column_map.type, kWorkTypeCapacity);
  r.quantity = c_atoi(cell_view(parts, row, s.column_map.quantity, quantity_capacity));
  r.supply_class = static_cast<int>(
      supply_class_of(cell_view(parts, row, s.column_map.supply, kWorkSupplyCapacity)));
  return r;
}

PartsRow work_record_row(const WorkRecord& record, const Settings& s) {
  PartsRow row;
  put_cell(row, s.column_map.tag, record.tag);
  put_cell(row, s.column_map.drawing, record.drawing);
  put_cell(row, s.column_map.part_name, record.part_name);
  put_cell(row, s.column_map.maker, record.maker);
  put_cell(row, s.column_map.spec, record.spec);
  put_cell(row, s.column_map.type, record.type);
  put_cell(row, s.column_map.quantity, format_int(record.quantity));
  put_cell(row, s.column_map.supply, supply_class_text(record.supply_class));
  return row;
}

void rebuild_parts_list(PartsList& parts, const WorkTable& table, const Settings& s) {
  std::vector<PartsRow> rows;
  rows.reserve(table.size());
  for (const WorkRecord& r : table) rows.push_back(work_record_row(r, s));
  parts.assign(std::move(rows));
}

void log_rebuild(PassLog& log, const PartsList& parts, const std::vector<RowId>& sources) {
  const std::vector<RowId>& ids = parts.row_ids();
  for (std::size_t k = 0; k < ids.size() && k < sources.size(); ++k) {
    log.lineage.push_back({ids[k], sources[k], true});
  }
}

}  // namespace korvane
