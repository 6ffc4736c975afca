#include "dxf/recognition.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "test_support.h"
#include "workspace.h"

namespace korvane {
namespace {

using test::sjis;

BasePartEntry entry(std::string tag, std::string type = {}) {
  BasePartEntry e;
  e.tag = std::move(tag);
  e.type = std::move(type);
  return e;
}

class Recognition : public ::testing::Test {
 protected:
  Recognition() { reset_settings_values(ws.settings); }
  void text(double x, double y, std::string s) { ws.texts.push_back({x, y, std::move(s)}); }
  std::vector<std::string> anchors() const {
    std::vector<std::string> out;
    for (const PartsRow& row : ws.parts.rows()) out.push_back(row[0]);
    return out;
  }
  Workspace ws;
};

TEST_F(Recognition, DefaultColumnsTakeTheFirstTwoTextsBelowAndTheFixedQuantity) {
  ws.base_parts.entries = {entry("MC")};
  text(100, 200, "MC1");
  text(100, 192, "KC-11");         // second below: type
  text(100, 196, "AC200V 2.2kW");  // first below: specification
  recognise_parts(ws);
  ASSERT_EQ(ws.parts.row_count(), 1);
  EXPECT_EQ(ws.parts.row(0), (PartsRow{"MC1", "", "", "", "AC200V 2.2kW", "KC-11", "1", ""}));
}

TEST_F(Recognition, AnchorTestTypeOverridesTagAndProhibitedWordsApplyToCandidatesOnly) {
  ws.base_parts.entries = {entry("MC", "MC-10"), entry("T")};
  ws.prohibited_words.words = {"TB", sjis("MC盤")};
  text(100, 100, "MC1");
  text(300, 100, "MC-10");  // matches tag MC but also type MC-10
  text(500, 100, "T1");
  text(500, 96, "TB3");  // prohibited as a candidate, still a member of T1's group
  text(700, 100, "TB3");
  text(900, 100, sjis("MC盤より"));
  text(1100, 100, "mc2");  // bytes compare case-sensitively
  text(1300, 100, "M");    // shorter than the tag
  recognise_parts(ws);
  EXPECT_EQ(anchors(), (std::vector<std::string>{"MC1", "T1"}));
  EXPECT_EQ(ws.parts.cell(1, 4), "TB3");
}

TEST_F(Recognition, EmptyPatternsNeverMatch) {
  ws.base_parts.entries = {entry("", "X"), entry("CR", "")};
  ws.prohibited_words.words = {""};
  text(0, 0, "CR1");
  text(10, 0, "X1");
  text(20, 0, "");
  recognise_parts(ws);
  EXPECT_EQ(anchors(), (std::vector<std::string>{"CR1"}));
}

TEST_F(Recognition, WindowIsStrictOnEverySide) {
  ws.settings.pt_y = 50;
  ws.base_parts.entries = {entry("A")};
  ws.settings.columns[4].text_number = 2;
  ws.settings.columns[5].text_number = 3;
  ws.settings.columns[1].text_number = 4;
  text(100, 100, "A");
  text(105, 60, "x+5");
  text(95, 59, "x-5");
  text(100, 50, "y-50");
  text(100, 100, "same y");
  text(104.9, 60, "in right");
  text(95.1, 55, "in left");
  text(100, 50.5, "in low");
  text(100, 100.5, "above");
  recognise_parts(ws);
  ASSERT_EQ(ws.parts.row_count(), 1);
  EXPECT_EQ(ws.parts.cell(0, 4), "in right");
  EXPECT_EQ(ws.parts.cell(0, 5), "in left");
  EXPECT_EQ(ws.parts.cell(0, 1), "in low");
  ws.settings.columns[2].text_number = 5;
  recognise_parts(ws);
  EXPECT_EQ(ws.parts.cell(0, 2), "");
}

TEST_F(Recognition, TwelveTextsBelowKeepTheNineHighestInOrder) {
  ws.base_parts.entries = {entry("CR")};
  text(0, 100, "CR1");
  // Offered in scrambled order; two share a height and keep their table order.
  const int heights[12] = {45, 95, 42, 70, 88, 70, 48, 60, 99, 55, 50, 80};
  for (int k = 0; k < 12; ++k) text(0.5 * (k % 3), heights[k], "t" + std::to_string(k));
  for (int c = 1; c < 8; ++c) ws.settings.columns[c] = {"", 0, 0, ""};
  // Columns 1..7 show lines 10, 9, 8, 2, 7, 11, 1.
  const int lines[8] = {0, 10, 9, 8, 2, 7, 11, 1};
  for (int c = 1; c < 8; ++c) ws.settings.columns[c].text_number = lines[c];
  recognise_parts(ws);
  ASSERT_EQ(ws.parts.row_count(), 1);
  // By height: 99 t8, 95 t1, 88 t4, 80 t11, 70 t3, 70 t5, 60 t7, 55 t9, 50 t10 | 48 45 42.
  EXPECT_EQ(ws.parts.row(0), (PartsRow{"CR1", "t10", "t9", "t7", "t8", "t5", "", ""}));
}

TEST_F(Recognition, FixedTextWinsOverTheLineNumber) {
  ws.base_parts.entries = {entry("PL")};
  ws.settings.columns[3].fixed_text = sjis("コルベ電機");
  ws.settings.columns[3].text_number = 2;
  ws.settings.columns[1].text_number = -3;
  text(10, 10, "PL1");
  text(10, 6, sjis("赤 AC100V"));
  recognise_parts(ws);
  EXPECT_EQ(ws.parts.row(0),
            (PartsRow{"PL1", "", "", sjis("コルベ電機"), sjis("赤 AC100V"), "", "1", ""}));
}

TEST_F(Recognition, StackedAnchorsEachGetARowAndTheLowerJoinsTheUpperGroup) {
  ws.base_parts.entries = {entry("X")};
  text(0, 100, "X1");
  text(0, 70, "X2");
  text(0, 66, "DC24V");
  recognise_parts(ws);
  ASSERT_EQ(ws.parts.row_count(), 2);
  EXPECT_EQ(ws.parts.row(0)[4], "X2");
  EXPECT_EQ(ws.parts.row(0)[5], "DC24V");
  EXPECT_EQ(ws.parts.row(1)[4], "DC24V");
  EXPECT_EQ(ws.parts.row(1)[5], "");
}

TEST_F(Recognition, EachRunReplacesTheList) {
  ws.base_parts.entries = {entry("F")};
  ws.parts.append_row(PartsRow{"old"});
  text(0, 0, "F1");
  text(50, 0, "F2");
  recognise_parts(ws);
  EXPECT_EQ(anchors(), (std::vector<std::string>{"F1", "F2"}));
  ws.texts.clear();
  recognise_parts(ws);
  EXPECT_TRUE(ws.parts.empty());
  ws.texts = {{0, 0, "F1"}};
  ws.base_parts.entries.clear();
  recognise_parts(ws);
  EXPECT_TRUE(ws.parts.empty());
}

TEST_F(Recognition, OddCoordinatesAndToleranceValuesStayInsideTheRules) {
  ws.base_parts.entries = {entry("A")};
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  text(nan, 100, "A1");
  text(0, nan, "A2");
  text(inf, 100, "A3");
  text(0, 100, "A4");
  text(nan, 99, "never");
  text(0, nan, "never");
  text(0, 99, "below A4");
  recognise_parts(ws);
  ASSERT_EQ(ws.parts.row_count(), 4);
  for (int r : {0, 1, 2}) EXPECT_EQ(ws.parts.cell(r, 4), "") << r;
  EXPECT_EQ(ws.parts.cell(3, 4), "below A4");

  ws.settings.pt_x = -5;  // an empty window, not an inverted one
  recognise_parts(ws);
  EXPECT_EQ(ws.parts.cell(3, 4), "");
  ws.settings.pt_x = 5;
  ws.settings.pt_y = 0;
  recognise_parts(ws);
  EXPECT_EQ(ws.parts.cell(3, 4), "");
}

TEST_F(Recognition, TextsAreTakenAsTheirSixtyFourByteFieldHoldsThem) {
  ws.base_parts.entries = {entry("A")};
  const std::string long_anchor = "A" + std::string(70, 'a');
  const std::string long_member = std::string(62, 'b') + sjis("盤");  // the cut must not split it
  text(0, 10, long_anchor);
  text(0, 5, long_member);
  recognise_parts(ws);
  EXPECT_EQ(ws.parts.cell(0, 0), long_anchor.substr(0, 63));
  EXPECT_EQ(ws.parts.cell(0, 4), std::string(62, 'b'));
}

}  // namespace
}  // namespace korvane
