// The four conversion passes over a 5000-row parts list with a full (199-entry) base parts list.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "convert/duplicate_removal.h"
#include "convert/name_completion.h"
#include "convert/part_sort.h"
#include "convert/passes.h"
#include "convert/quantity_merge.h"
#include "notify.h"
#include "settings/settings.h"
#include "workspace.h"

namespace korvane {
namespace {

class Silent : public Notifier {
 public:
  Answer notify(const Message&) override { return Answer::Ok; }
};

std::string family(int k) {
  return {static_cast<char>('A' + k % 26), static_cast<char>('A' + k / 26)};
}

// Rows as recognition leaves them: tag numbers counted up per family, one row in ten repeating
// a tag already read, specification and type below the tag. Completion's accessory rows (one
// entry in sixteen has one) stay fewer than the duplicates, so the full chain remains within
// 5000 rows.
Workspace drawing_workspace() {
  Workspace ws;
  reset_settings_values(ws.settings);
  for (int k = 0; k < kBasePartsCapacity; ++k) {
    BasePartEntry e;
    e.part_name = "PART" + std::to_string(k);
    e.tag = family(k);
    e.type = "TY" + std::to_string(k) + "-";
    e.maker = "MK" + std::to_string(k % 12);
    e.supply_class = k % 3;
    if (k % 16 == 0) e.accessories[0] = {"SOCKET" + std::to_string(k), "SK" + std::to_string(k)};
    ws.base_parts.entries.push_back(e);
  }
  std::mt19937 rng(5000);
  const auto below = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  std::vector<int> numbered(kBasePartsCapacity, 0);
  std::vector<PartsRow> rows;
  while (rows.size() < static_cast<std::size_t>(kMaxPartsRows)) {
    if (!rows.empty() && below(10) == 0) {
      PartsRow again = rows[static_cast<std::size_t>(below(static_cast<int>(rows.size())))];
      again[5] = below(2) ? again[5] + "Z" : "";
      rows.push_back(again);
      continue;
    }
    const int k = below(kBasePartsCapacity);
    const std::string spec[] = {"24V", "100V", "", "AC200V"};
    const std::string type = below(8) ? "TY" + std::to_string(k) + "-" + "ABC"[below(3)] : "X";
    rows.push_back({family(k) + std::to_string(++numbered[static_cast<std::size_t>(k)]), "", "", "",
                    spec[below(4)], type, "1", ""});
  }
  ws.parts.assign(std::move(rows));
  return ws;
}

// Runs `pass` on a fresh copy of `start` each iteration; the copy is not timed.
template <typename Pass>
void run_on_copies(benchmark::State& state, const Workspace& start, Pass pass) {
  Silent notifier;
  int rows_out = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Workspace ws = start;
    state.ResumeTiming();
    pass(ws, notifier);
    rows_out = ws.parts.row_count();
    benchmark::DoNotOptimize(rows_out);
  }
  state.counters["rows_in"] = static_cast<double>(start.parts.row_count());
  state.counters["rows_out"] = static_cast<double>(rows_out);
}

const Workspace& input() {
  static const Workspace ws = drawing_workspace();
  return ws;
}

// 5000 completed rows, accessory rows included: the most the merge and the sort take.
const Workspace& completed() {
  static const Workspace ws = [] {
    Workspace out = input();
    complete_part_names(out);
    while (out.parts.row_count() > kMaxPartsRows) out.parts.delete_row(out.parts.row_count() - 1);
    return out;
  }();
  return ws;
}

void BM_RemoveDuplicates(benchmark::State& state) {
  run_on_copies(state, input(), [](Workspace& ws, Notifier&) { remove_duplicate_parts(ws); });
}

void BM_CompleteNames(benchmark::State& state) {
  run_on_copies(state, input(), [](Workspace& ws, Notifier&) { complete_part_names(ws); });
}

void BM_MergeQuantities(benchmark::State& state) {
  run_on_copies(state, completed(),
                [](Workspace& ws, Notifier& n) { merge_part_quantities(ws, n); });
}

void BM_SortParts(benchmark::State& state) {
  run_on_copies(state, completed(), [](Workspace& ws, Notifier& n) { sort_parts(ws, n); });
}

void BM_FullConversion(benchmark::State& state) {
  std::vector<Pass> all;
  parse_pass_list("all", all);
  run_on_copies(state, input(), [&](Workspace& ws, Notifier& n) {
    if (!run_passes(ws, n, all)) state.SkipWithError("the list grew past 5000 rows");
  });
}

// The merge's worst case: 5000 rows of 5000 different parts, none ever joined.
void BM_MergeAllDistinct(benchmark::State& state) {
  Workspace ws = completed();
  for (int i = 0; i < ws.parts.row_count(); ++i) {
    ws.parts.set_cell(i, ws.settings.column_map.part_name, "P" + std::to_string(i) + "-");
  }
  run_on_copies(state, ws, [](Workspace& w, Notifier& n) { merge_part_quantities(w, n); });
}

BENCHMARK(BM_RemoveDuplicates)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompleteNames)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MergeQuantities)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortParts)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullConversion)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MergeAllDistinct)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvane

BENCHMARK_MAIN();
