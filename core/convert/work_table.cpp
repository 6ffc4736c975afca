#include "convert/work_table.h"

#include "convert/cells.h"
#include "settings/settings.h"

namespace korvane {

WorkRecord read_work_record(const PartsList& parts, int row, const Settings& s,
                            std::size_t quantity_capacity) {
  WorkRecord r;
  r.tag = cell_view(parts, row, s.ta_no, kWorkTagCapacity);
  r.drawing = cell_view(parts, row, s.a_no, kWorkDrawingCapacity);
  r.part_name = cell_view(parts, row, s.pa_no, kWorkPartNameCapacity);
  r.maker = cell_view(parts, row, s.ma_no, kWorkMakerCapacity);
  r.spec = cell_view(parts, row, s.sp_no, kWorkSpecCapacity);
  r.type = cell_view(parts, row, s.ty_no, kWorkTypeCapacity);
  r.quantity = c_atoi(cell_view(parts, row, s.su_no, quantity_capacity));
  r.supply_class =
      static_cast<int>(supply_class_of(cell_view(parts, row, s.si_no, kWorkSupplyCapacity)));
  return r;
}

PartsRow work_record_row(const WorkRecord& record, const Settings& s) {
  PartsRow row;
  put_cell(row, s.ta_no, record.tag);
  put_cell(row, s.a_no, record.drawing);
  put_cell(row, s.pa_no, record.part_name);
  put_cell(row, s.ma_no, record.maker);
  put_cell(row, s.sp_no, record.spec);
  put_cell(row, s.ty_no, record.type);
  put_cell(row, s.su_no, format_int(record.quantity));
  put_cell(row, s.si_no, supply_class_text(record.supply_class));
  return row;
}

void rebuild_parts_list(PartsList& parts, const WorkTable& table, const Settings& s) {
  std::vector<PartsRow> rows;
  rows.reserve(table.size());
  for (const WorkRecord& r : table) rows.push_back(work_record_row(r, s));
  parts.assign(std::move(rows));
}

}  // namespace korvane
