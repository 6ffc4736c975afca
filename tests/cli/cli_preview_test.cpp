// korvane-cli preview: the SVG of the samples and of a drawing with every kind of finding holds
// each class as often as recognition made it, parses as XML, and goes only where it may.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "cli_test_support.h"
#include "pipeline/conversion.h"
#include "reference/base_parts_file.h"
#include "reference/prohibited_words_file.h"
#include "report/recognition_report.h"
#include "settings/settings.h"
#include "workspace.h"

namespace korvane {
namespace {

using test::CliFolder;
using Tally = std::map<std::string, std::size_t>;

std::size_t occurrences(const std::string& text, std::string_view what) {
  std::size_t n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// The elements of the SVG by class, counted in its text.
Tally tally_of_svg(const std::string& svg) {
  Tally t;
  for (const char* c : {"anchor", "field", "other"}) {
    t[c] = occurrences(svg, std::string("<text class=\"") + c);
    t["finding"] += occurrences(svg, std::string("<text class=\"") + c + " finding\"");
  }
  t["window"] = occurrences(svg, "<rect class=\"window\"");
  t["link"] = occurrences(svg, "<line class=\"link\"");
  return t;
}

// What recognition made of the drawings in `dir` with its settings and lists, counted without the
// preview's code: anchors are the rows it made, fields the other texts of their groups.
Tally tally_of_recognition(const CliFolder& dir, const std::string& ini,
                           const std::vector<std::string>& drawings, std::set<std::string>* kinds) {
  Workspace ws;
  parse_settings(ws.settings, test::read_file(dir.path() / ini));
  const ReferencePair pair = *selected_reference_pair(ws.settings);
  test::RecordingNotifier notifier;
  EXPECT_TRUE(load_base_parts(ws.base_parts, (dir.path() / pair.base_parts).string(), notifier));
  EXPECT_TRUE(load_prohibited_words(ws.prohibited_words,
                                    (dir.path() / pair.prohibited_words).string(), notifier));
  std::vector<std::string> paths;
  for (const std::string& d : drawings) paths.push_back((dir.path() / d).string());
  ReportTrail trail;
  read_drawings(ws, paths, notifier, {}, &trail);
  run_passes(ws, notifier, {kAllPasses.begin(), kAllPasses.end()}, {}, &trail.passes);

  std::set<std::size_t> anchors;
  std::set<std::size_t> members;
  std::size_t links = 0;
  for (const RecognisedGroup& g : trail.groups) {
    anchors.insert(g.anchor);
    for (int k = 0; k < g.size; ++k) members.insert(g.members[static_cast<std::size_t>(k)]);
    links += static_cast<std::size_t>(g.size);
  }
  for (std::size_t a : anchors) members.erase(a);
  std::set<std::size_t> with_findings;
  for (const Finding& f : make_recognition_report(ws, trail).findings) {
    with_findings.insert(f.at);
    if (kinds) kinds->insert(std::string(finding_key(f.kind)));
  }
  return {{"anchor", anchors.size()},
          {"field", members.size()},
          {"other", ws.texts.size() - anchors.size() - members.size()},
          {"finding", with_findings.size()},
          {"window", trail.groups.size()},
          {"link", links}};
}

// Natively, python3's XML parser reads the file and counts the same things; under Wine the SVG's
// bytes are the same as natively (the core writes them), so the native run speaks for both.
void expect_parses_as_xml(const CliFolder& dir, const std::string& svg_name, const Tally& tally,
                          std::set<std::string>* kinds) {
#ifdef _WIN32
  (void)dir, (void)svg_name, (void)tally, (void)kinds;
#else
  const char* script = R"(
import collections, re, sys, xml.etree.ElementTree as ET
ns = '{http://www.w3.org/2000/svg}'
root = ET.parse(sys.argv[1]).getroot()
assert root.tag == ns + 'svg' and len(root.get('viewBox').split()) == 4
c = collections.Counter()
kinds = set()
for t in root.iter(ns + 'text'):
    classes = (t.get('class') or '').split()
    for k in ('anchor', 'field', 'other', 'finding'):
        c[k] += k in classes
    if 'finding' in classes:
        kinds.update(re.findall(r'\(([a-z-]+)\): ', t.find(ns + 'title').text))
c['window'] = sum(r.get('class') == 'window' for r in root.iter(ns + 'rect'))
c['link'] = sum(1 for _ in root.iter(ns + 'line'))
print(' '.join('%s=%d' % kv for kv in sorted(c.items())))
print(' '.join(sorted(kinds)))
)";
  const test::ProcessResult r =
      test::run_process("/usr/bin/python3", {"-c", script, svg_name}, dir.path());
  ASSERT_EQ(r.status, 0) << r.err;
  std::string expected;
  for (const auto& [k, v] : tally)
    expected += (expected.empty() ? "" : " ") + k + "=" + std::to_string(v);
  std::istringstream lines(r.out);
  std::string counts, kind_line;
  std::getline(lines, counts);
  std::getline(lines, kind_line);
  EXPECT_EQ(counts, expected);
  if (kinds) {
    std::string all;
    for (const std::string& k : *kinds) all += (all.empty() ? "" : " ") + k;
    EXPECT_EQ(kind_line, all);
  }
#endif
}

TEST(CliPreview, SamplesShowEveryClassAsRecognitionMadeIt) {
  CliFolder dir;
  dir.copy_samples();
  const test::ProcessResult r = dir.run(test::with_samples({"preview"}));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "main_circuit.svg\n");
  EXPECT_EQ(r.err, "");
  const std::string svg = dir.read("main_circuit.svg");
  const Tally tally = tally_of_recognition(dir, "Korvane.ini", test::kSampleDrawings, nullptr);
  EXPECT_EQ(tally_of_svg(svg), tally);
  EXPECT_EQ(tally.at("anchor"), 63u);  // the rows the three samples give
  expect_parses_as_xml(dir, "main_circuit.svg", tally, nullptr);
  // The legend's Japanese in UTF-8.
  EXPECT_NE(svg.find("タグ番号 63"), std::string::npos);

  // "-" writes the same document to stdout and nothing else.
  const test::ProcessResult piped = dir.run(test::with_samples({"preview", "--out", "-"}));
  EXPECT_EQ(piped.status, 0) << piped.err;
  EXPECT_EQ(piped.out, svg);
  EXPECT_EQ(piped.err, "");
}

// Each kind of the report marks its text; without passes the findings that need them go.
TEST(CliPreview, DrawingWithEveryFindingMarksThem) {
  CliFolder dir;
  for (const char* name :
       {"findings.dxf", "findings.ini", "findings_base.txt", "findings_words.txt"}) {
    dir.copy_data(name);
  }
  const test::ProcessResult r =
      dir.run({"preview", "--ini", "findings.ini", "--out", "out/preview.svg", "findings.dxf"});
  EXPECT_EQ(r.status, 2) << "the folder out does not exist";
  EXPECT_EQ(r.err, "korvane-cli: out/preview.svg: ﾌｧｲﾙｴﾗｰ: 図面プレビューファイルが書けません\n");

  const test::ProcessResult ok =
      dir.run({"preview", "--ini", "findings.ini", "--out", "preview.svg", "findings.dxf"});
  ASSERT_EQ(ok.status, 0) << ok.err;
  EXPECT_EQ(ok.out, "preview.svg\n");
  std::set<std::string> kinds;
  const Tally tally = tally_of_recognition(dir, "findings.ini", {"findings.dxf"}, &kinds);
  EXPECT_EQ(kinds.size(), kFindingKinds.size());
  const std::string svg = dir.read("preview.svg");
  EXPECT_EQ(tally_of_svg(svg), tally);
  for (const std::string& kind : kinds) EXPECT_NE(svg.find("(" + kind + "): "), std::string::npos);
  EXPECT_NE(svg.find(">制御盤 &lt;A&amp;B&gt;</text>"), std::string::npos);
  expect_parses_as_xml(dir, "preview.svg", tally, &kinds);

  const test::ProcessResult none = dir.run(
      {"preview", "--ini", "findings.ini", "--passes", "none", "--out", "-", "findings.dxf"});
  EXPECT_EQ(none.status, 0) << none.err;
  EXPECT_EQ(none.out.find("(merge-absorbed): "), std::string::npos);
  EXPECT_NE(none.out.find("(no-fields): "), std::string::npos);
}

// The default name, an output that would replace an input, a bad --out, and drawings that give
// nothing: each said, and no file lost.
TEST(CliPreview, WritesOnlyWhereItMay) {
  CliFolder dir;
  dir.copy_samples();
  const std::string drawing = dir.read("control_circuit.dxf");
  test::ProcessResult r =
      dir.run({"preview", "--out", "control_circuit.dxf", "control_circuit.dxf"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(
      r.err,
      "korvane-cli: control_circuit.dxf: ﾌｧｲﾙｴﾗｰ: 出力ファイルが読み込んだファイルと同じです。"
      "書き込みません。 (control_circuit.dxf = control_circuit.dxf)\n");
  EXPECT_EQ(dir.read("control_circuit.dxf"), drawing);

  r = dir.run({"preview", "--out", "", "control_circuit.dxf"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "korvane-cli: --out '': give a file name, or - for stdout\n");

  dir.write("lost.svg", "earlier");
  r = dir.run({"preview", "lost.dxf"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err,
            "korvane-cli: lost.dxf: ﾌｧｲﾙｴﾗｰ: ＤＸＦ図面ファイルが開けません\n"
            "korvane-cli: no texts read from the drawings; nothing written\n");
  EXPECT_EQ(dir.read("lost.svg"), "earlier");

  r = dir.run({"preview", "control_circuit.dxf", "lost.dxf"});
  EXPECT_EQ(r.status, 2) << "a drawing was missing";
  EXPECT_EQ(r.out, "control_circuit.svg\n");
  EXPECT_TRUE(dir.exists("control_circuit.svg"));
}

}  // namespace
}  // namespace korvane
