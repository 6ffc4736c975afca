// Recognition of a large batch: 500 drawings of 400 texts each (200 000 texts) read into one
// table, the sheets overlapping as drawings of one size do; a crafted drawing that makes an
// x-only index visit every text of a window's height; and the drawing preview of the batch as SVG.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "dxf/recognition.h"
#include "dxf/window_tuning.h"
#include "preview/drawing_preview.h"
#include "preview/preview_svg.h"
#include "report/recognition_report.h"
#include "workspace.h"

namespace korvane {
namespace {

const char* const kFamilies[] = {"MCCB", "ELB", "MC", "THR", "CR", "X",  "TR",  "PL", "PB",
                                 "SS",   "F",   "T",  "AM",  "VM", "BZ", "INV", "LS", "M"};

// Each drawing places 100 parts (tag, rating and type stacked 4 units apart) and 100 loose
// texts (wire numbers, notes) on a 5-unit grid of an A1 sheet. `same_layout` gives every
// drawing the same positions, the densest case a batch of one template produces.
Workspace make_batch(int drawings, bool same_layout) {
  Workspace ws;
  reset_settings_values(ws.settings);
  for (const char* family : kFamilies) {
    BasePartEntry e;
    e.tag = family;
    e.type = std::string("K") + family + "-";
    ws.base_parts.entries.push_back(e);
  }
  ws.prohibited_words.words = {"TITLE", "TB", "FG", "PLC", "FROM", "FRONT", "SS400"};
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> gx(4, 164);
  std::uniform_int_distribution<int> gy(4, 114);
  std::uniform_int_distribution<int> family(0, sizeof kFamilies / sizeof *kFamilies - 1);
  ws.texts.reserve(static_cast<std::size_t>(drawings) * 400);
  for (int d = 0; d < drawings; ++d) {
    if (same_layout) rng.seed(7);
    for (int p = 0; p < 100; ++p) {
      const double x = 5.0 * gx(rng);
      const double y = 5.0 * gy(rng);
      ws.texts.push_back({x, y, std::string(kFamilies[family(rng)]) + std::to_string(p)});
      ws.texts.push_back({x, y - 4, "AC200V " + std::to_string(p % 7) + "A"});
      ws.texts.push_back({x, y - 8, "KX-" + std::to_string(p)});
      ws.texts.push_back({5.0 * gx(rng) + 2.5, 5.0 * gy(rng), std::to_string(100 + p)});
    }
  }
  return ws;
}

void run(benchmark::State& state, bool same_layout) {
  Workspace ws = make_batch(static_cast<int>(state.range(0)), same_layout);
  for (auto _ : state) {
    recognise_parts(ws);
    benchmark::DoNotOptimize(ws.parts.row_count());
  }
  state.counters["texts"] = static_cast<double>(ws.texts.size());
  state.counters["rows"] = ws.parts.row_count();
  state.counters["texts/s"] = benchmark::Counter(
      static_cast<double>(ws.texts.size()) * static_cast<double>(state.iterations()),
      benchmark::Counter::kIsRate);
}

// N tag numbers stacked at one x, one unit apart, and N texts just outside their window on the
// left, each half a unit above a tag number, with one text inside the window far below: every
// window is as high as the whole stack and holds the fillers' x range but none of them.
Workspace make_stacked_anchors(int n) {
  Workspace ws;
  reset_settings_values(ws.settings);
  ws.settings.pt_x = 5;
  ws.settings.pt_y = 1 << 30;
  BasePartEntry e;
  e.tag = "MC";
  ws.base_parts.entries.push_back(e);
  ws.texts.reserve(2 * static_cast<std::size_t>(n) + 1);
  ws.texts.push_back({-4.5, -1e7, "NOTE"});
  for (int k = 0; k < n; ++k) {
    ws.texts.push_back({0.0, static_cast<double>(k), "MC" + std::to_string(k)});
    ws.texts.push_back({-5.5, k + 0.5, "W" + std::to_string(k)});
  }
  return ws;
}

// Recognition as a read does it with the report asked for: the groups kept, the findings of the
// texts, then the report itself (no passes: every row is one).
void BM_RecogniseAndReportBatch(benchmark::State& state) {
  Workspace ws = make_batch(static_cast<int>(state.range(0)), false);
  std::size_t findings = 0;
  for (auto _ : state) {
    ReportTrail trail;
    recognise_parts(ws, nullptr, &trail.groups);
    note_recognition(trail, ws, {{"batch.dxf", 0, ws.texts.size(), 0}});
    findings = make_recognition_report(ws, trail).findings.size();
    benchmark::DoNotOptimize(findings);
  }
  state.counters["texts"] = static_cast<double>(ws.texts.size());
  state.counters["rows"] = ws.parts.row_count();
  state.counters["findings"] = static_cast<double>(findings);
}

void BM_RecogniseBatch(benchmark::State& state) { run(state, false); }
void BM_RecogniseBatchOfOneTemplate(benchmark::State& state) { run(state, true); }

void BM_RecogniseStackedAnchors(benchmark::State& state) {
  Workspace ws = make_stacked_anchors(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    recognise_parts(ws);
    benchmark::DoNotOptimize(ws.parts.row_count());
  }
  state.counters["texts"] = static_cast<double>(ws.texts.size());
  state.counters["rows"] = ws.parts.row_count();
}

// The preview of a read batch: classification and findings from the read's trail, then the SVG.
void BM_PreviewSvgOfBatch(benchmark::State& state) {
  Workspace ws = make_batch(static_cast<int>(state.range(0)), false);
  ReportTrail trail;
  recognise_parts(ws, nullptr, &trail.groups);
  note_recognition(trail, ws, {{"batch.dxf", 0, ws.texts.size(), 0}});
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::string svg = format_preview_svg(ws.texts, make_drawing_preview(ws, trail));
    bytes = svg.size();
    benchmark::DoNotOptimize(svg.data());
  }
  state.counters["texts"] = static_cast<double>(ws.texts.size());
  state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}

// The window proposal for the same batch: the stacks found, then every candidate scored with
// the groups recognition finds for it.
void BM_ProposeWindowBatch(benchmark::State& state) {
  Workspace ws = make_batch(static_cast<int>(state.range(0)), false);
  WindowProposal proposal;
  for (auto _ : state) {
    proposal =
        propose_recognition_window(ws.texts, ws.base_parts, ws.prohibited_words, ws.settings);
    benchmark::DoNotOptimize(proposal.proposed.pt_y);
  }
  state.counters["texts"] = static_cast<double>(ws.texts.size());
  state.counters["pt_x"] = proposal.proposed.pt_x;
  state.counters["pt_y"] = proposal.proposed.pt_y;
  state.counters["candidates"] = static_cast<double>(proposal.candidates);
}

BENCHMARK(BM_RecogniseBatch)->Arg(5)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecogniseAndReportBatch)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecogniseBatchOfOneTemplate)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProposeWindowBatch)->Arg(5)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecogniseStackedAnchors)->Arg(20000)->Arg(80000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewSvgOfBatch)->Arg(500)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvane

BENCHMARK_MAIN();
