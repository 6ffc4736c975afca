// The work table: the parts list as records, which the quantity merge and the sort fill in
// their new order and then rebuild the list from.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "parts/parts_list.h"

namespace korvane {

struct PassLog;
struct Settings;

// Field sizes of a work record (a field of N bytes holds N - 1 bytes of text).
inline constexpr std::size_t kWorkTagCapacity = 128;
inline constexpr std::size_t kWorkDrawingCapacity = 32;
inline constexpr std::size_t kWorkPartNameCapacity = 64;
inline constexpr std::size_t kWorkMakerCapacity = 32;
inline constexpr std::size_t kWorkSpecCapacity = 64;
inline constexpr std::size_t kWorkTypeCapacity = 64;
inline constexpr std::size_t kWorkQuantityCapacity = 32;
inline constexpr std::size_t kWorkSupplyCapacity = 32;

struct WorkRecord {
  std::string tag;  // a tag number, or a joined list of them
  std::string drawing;
  std::string part_name;
  std::string maker;
  std::string spec;
  std::string type;
  int quantity = 0;
  int supply_class = 0;  // 0 purchased, 1 supplied, 2 not purchased

  bool operator==(const WorkRecord&) const = default;
};

// At most kMaxPartsRows records: each holds at least one row of a list that has no more.
using WorkTable = std::vector<WorkRecord>;

// A record from the cells of `row`, each text cut to its field; the quantity is parsed from the
// cell as a buffer of `quantity_capacity` bytes holds it.
WorkRecord read_work_record(const PartsList& parts, int row, const Settings& s,
                            std::size_t quantity_capacity = kWorkQuantityCapacity);

// The row a record is written back as: quantity as "%d", supply class as exactly "支給",
// "非購" or four spaces.
PartsRow work_record_row(const WorkRecord& record, const Settings& s);

// Replaces every row of the list with the table's records, in table order.
void rebuild_parts_list(PartsList& parts, const WorkTable& table, const Settings& s);

// Logs that each row of a rebuilt list replaces the row its record was read from (`sources`, by
// the new row's index).
void log_rebuild(PassLog& log, const PartsList& parts, const std::vector<RowId>& sources);

}  // namespace korvane
