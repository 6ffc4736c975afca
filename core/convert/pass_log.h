// What the conversion passes did to the rows, for the recognition report. Rows are named by
// their ids, which never repeat within a run, so the log of several passes reads in order.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "parts/parts_list.h"

namespace korvane {

struct PassLog {
  // Duplicate removal deleted `removed`; `kept` is the row of its tag that stayed.
  struct Removal {
    RowId removed = 0;
    RowId kept = 0;
    int differing_column = -1;  // the first column whose cells differed; -1 when all were equal
  };
  // Completion filled `row` from a base parts list entry.
  struct Completion {
    RowId row = 0;
    std::string entry_tag;
    std::string entry_part_name;
    bool tag_and_type = true;  // the first phase (tag and type together) matched
  };
  // The quantity merge joined row `joined` into the record that row `into` began.
  struct Join {
    RowId into = 0;
    RowId joined = 0;
    // The first field in which the standing row's text was shorter, so the joined row's text is
    // lost: 0 part name, 1 maker, 2 specification, 3 type; -1 when none was.
    int lost_field = -1;
    std::string lost_text;
    std::string into_tag;  // the standing row's tag
  };
  // Row `row` was made from row `from`: an accessory row for its part (`replaces` false), or
  // a row of a rebuilt list for the row it was read from (`replaces` true: `from` is gone).
  struct Lineage {
    RowId row = 0;
    RowId from = 0;
    bool replaces = false;
  };

  int dedupe_runs = 0;
  std::vector<Removal> removals;
  std::vector<Completion> completions;
  std::vector<Join> joins;
  std::vector<Lineage> lineage;  // in the order the rows were made

  void clear() { *this = PassLog{}; }
};

}  // namespace korvane
