#include <gtest/gtest.h>

#include "pipeline/conversion.h"
#include "test_support.h"
#include "workspace.h"

namespace korvane {
namespace {

// A read fails wholly only when no drawing gave anything: then the text table and the parts list
// stay as they were. A drawing that failed part-way has given the texts before its fault, alone as
// in a batch.
TEST(ReadDrawings, AReadCountsWhenAnyDrawingGaveTextsOrWasReadWhole) {
  test::TempDir dir;
  const std::string part_way = dir.file("part_way.dxf");
  test::write_file(part_way,
                   "0\nSECTION\n2\nENTITIES\n0\nTEXT\n10\n1\n20\n2\n1\nA\n"
                   "\x82\xa0\n0\nTEXT\n10\n3\n20\n4\n1\nB\n0\nENDSEC\n0\nEOF\n");
  const std::string no_texts = dir.file("no_texts.dxf");
  test::write_file(no_texts, "0\nSECTION\n2\nENTITIES\n0\nENDSEC\n0\nEOF\n");
  const std::string missing = dir.file("missing.dxf");
  const std::string dwg = std::string(KORVANE_TEST_DATA) + "/dxf/dwg_drawing.dwg";
  struct Case {
    std::vector<std::string> paths;
    bool taken;
    std::size_t texts;
    std::size_t failed;
  };
  const Case cases[] = {
      {{part_way}, true, 1, 1}, {{missing, part_way}, true, 1, 2},
      {{missing}, false, 1, 1}, {{missing, dwg}, false, 1, 2},
      {{no_texts}, true, 0, 0}, {{dwg, no_texts}, true, 0, 1},
      {{}, true, 0, 0},
  };
  for (const Case& c : cases) {
    Workspace ws;
    ws.texts = {{0.0, 0.0, "before"}};
    ws.parts.assign({PartsRow{}});
    test::RecordingNotifier notifier;
    std::vector<std::size_t> heard;
    const ReadReport report =
        read_drawings(ws, c.paths, notifier,
                      [&](std::size_t i, std::size_t, const std::string&) { heard.push_back(i); });
    const std::string shown = ::testing::PrintToString(c.paths);
    EXPECT_EQ(report.taken, c.taken) << shown;
    EXPECT_EQ(report.failed, c.failed) << shown;
    EXPECT_EQ(ws.texts.size(), c.texts) << shown;
    EXPECT_EQ(!ws.texts.empty() && ws.texts.front().text == "before", !c.taken) << shown;
    EXPECT_EQ(ws.parts.row_count(), c.taken ? 0 : 1) << shown;
    EXPECT_EQ(notifier.messages.size(), c.failed) << shown;
    EXPECT_EQ(heard.size(), c.paths.size());
  }
}

// The option dxf_codepage decides how the drawings of a read take their header's code page.
TEST(ReadDrawings, TheCodePageOptionReachesTheReader) {
  const std::string drawing = std::string(KORVANE_TEST_DATA) + "/dxf/r14_ansi_1252_texts.dxf";
  for (const auto& [option, text] :
       {std::pair<const char*, std::string>{"auto", "\x81\x7D"}, {"932", "\xB1"}}) {
    Workspace ws;
    ws.settings.options[std::string(kOptionDxfCodePage)] = option;
    test::RecordingNotifier notifier;
    read_drawings(ws, {drawing}, notifier);
    ASSERT_EQ(ws.texts.size(), 4u);
    EXPECT_EQ(ws.texts[1].text.substr(0, text.size()), text) << option;
  }
}

}  // namespace
}  // namespace korvane
