// recognise_parts searches an index of the texts; this checks it against a plain transcription of
// the algorithm (every anchor against every text, ten slots filled by insertion) on random tables
// and on tables shaped to hit the index's edges.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <random>

#include "dxf/recognition.h"
#include "literal_recognition.h"
#include "test_support.h"
#include "text/sjis.h"
#include "workspace.h"

namespace korvane {
namespace {

using test::recognise_literally;

class RandomTables {
 public:
  explicit RandomTables(unsigned seed) : rng_(seed) {}

  int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  template <typename T>
  const T& pick(const std::vector<T>& v) {
    return v[static_cast<std::size_t>(pick(0, static_cast<int>(v.size()) - 1))];
  }

  // Coordinates on coarse and fine grids so that ties and exact window edges come up often,
  // now and then a value that is not a number.
  double coordinate(int spread) {
    switch (pick(0, 40)) {
      case 0:
        return std::numeric_limits<double>::quiet_NaN();
      case 1:
        return std::numeric_limits<double>::infinity();
      case 2:
        return -std::numeric_limits<double>::infinity();
      default:
        break;
    }
    if (pick(0, 1) == 0) return pick(0, spread) * 0.5;
    return 100.0 + pick(-spread, spread) * 0.1;
  }

  void fill(Workspace& ws, int texts, int spread) {
    static const std::vector<std::string> kTexts = {"MC1",
                                                    "MC-10",
                                                    "MC",
                                                    "CR2",
                                                    "CRX1",
                                                    "X",
                                                    "X3",
                                                    "TB1",
                                                    "T5",
                                                    "",
                                                    "abc",
                                                    "F",
                                                    test::sjis("盤1"),
                                                    "A" + std::string(70, 'a'),
                                                    "MC" + std::string(61, 'b') + "\x82\xA0"};
    static const std::vector<std::string> kTags = {"MC", "CR", "X", "T", "", "F", "A"};
    static const std::vector<std::string> kTypes = {"MC-1", "", "X3", "CRX", ""};
    static const std::vector<std::string> kWords = {"TB", "CRX", "", "MC-", "Aa"};

    ws = Workspace{};
    reset_settings_values(ws.settings);
    for (int k = pick(0, 5); k > 0; --k) {
      BasePartEntry e;
      e.tag = pick(kTags);
      e.type = pick(kTypes);
      ws.base_parts.entries.push_back(e);
    }
    for (int k = pick(0, 3); k > 0; --k) ws.prohibited_words.words.push_back(pick(kWords));
    ws.settings.pt_x = pick(-1, 6);
    ws.settings.pt_y = pick(-1, 12);
    for (int c = 1; c < 8; ++c) {
      ws.settings.columns[c].text_number = pick(-1, 12);
      ws.settings.columns[c].fixed_text = pick(0, 9) == 0 ? "K" : "";
    }
    for (int k = 0; k < texts; ++k) {
      ws.texts.push_back({coordinate(spread), coordinate(spread), pick(kTexts)});
    }
  }

  // Tall columns: the anchors' column and, mostly, the two columns on the edges of its windows,
  // which fill the slabs the windows meet with texts that lie beside them.
  void fill_walls(Workspace& ws, int texts) {
    fill(ws, 0, 0);
    ws.settings.pt_x = pick(1, 6);
    ws.settings.pt_y = pick(0, 1) == 0 ? 100000 : pick(20, 400);
    static const std::vector<std::string> kTexts = {"MC1", "X3", "CR2", "W", "TB1", "F"};
    for (int k = 0; k < texts; ++k) {
      double x = pick(-ws.settings.pt_x * 4, ws.settings.pt_x * 4) * 0.25;
      const int column = pick(0, 199);
      if (column < 80) x = 0.0;
      if (column >= 80 && column < 198) x = column % 2 ? -ws.settings.pt_x : ws.settings.pt_x;
      ws.texts.push_back({x, static_cast<double>(pick(0, texts)), pick(kTexts)});
    }
  }

 private:
  std::mt19937 rng_;
};

TEST(RecognitionEquivalence, IndexedSearchGivesTheRowsOfThePlainAlgorithm) {
  RandomTables random(20240611u);
  Workspace ws;
  int rows_seen = 0;
  int full_groups = 0;
  std::size_t deferred = 0;
  for (int round = 0; round < 3000; ++round) {
    const bool dense = round % 100 == 0;
    if (round % 100 == 50) {
      random.fill_walls(ws, 2000);
    } else {
      random.fill(ws, dense ? random.pick(500, 1500) : random.pick(0, 60),
                  dense ? 20 : random.pick(2, 30));
    }
    const std::vector<PartsRow> expected = recognise_literally(ws);
    RecognitionCounts counts;
    recognise_parts(ws, &counts);
    ASSERT_EQ(ws.parts.rows(), expected) << "round " << round;
    deferred += counts.deferred;
    rows_seen += ws.parts.row_count();
    for (const PartsRow& row : expected) {
      for (int c = 1; c < 8; ++c) {
        if (ws.settings.columns[c].text_number == 10 && ws.settings.columns[c].fixed_text.empty() &&
            !row[c].empty()) {
          ++full_groups;
        }
      }
    }
  }
  // The tables must actually exercise anchors and groups that reach the ninth slot.
  EXPECT_GT(rows_seen, 10000);
  EXPECT_GT(full_groups, 50);
  // And windows whose slabs are crowded with texts beside them, which the slab walk gives up on.
  EXPECT_GT(deferred, 100u);
}

// Settings and lists shared by the crafted tables: tag "MC", the group's slots spread over the
// columns so that the first, middle and last slots all show.
Workspace crafted_workspace(int pt_x, int pt_y) {
  Workspace ws;
  reset_settings_values(ws.settings);
  ws.settings.pt_x = pt_x;
  ws.settings.pt_y = pt_y;
  const int jyunban[8] = {1, 2, 3, 5, 7, 8, 9, 10};
  for (int c = 1; c < 8; ++c) {
    ws.settings.columns[c].text_number = jyunban[c];
    ws.settings.columns[c].fixed_text.clear();
  }
  BasePartEntry e;
  e.tag = "MC";
  ws.base_parts.entries.push_back(e);
  return ws;
}

std::string named(const char* prefix, int k) { return prefix + std::to_string(k); }

TEST(RecognitionEquivalence, CraftedTablesGiveTheRowsOfThePlainAlgorithm) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    const char* name;
    std::function<Workspace()> make;
  } kCases[] = {
      {"anchors stacked at one x beside fillers just outside the window",
       [] {
         Workspace ws = crafted_workspace(5, 1 << 30);
         ws.texts.push_back({-4.5, -1e7, "NOTE"});
         for (int k = 0; k < 1200; ++k) {
           ws.texts.push_back({0.0, static_cast<double>(k), named("MC", k)});
           ws.texts.push_back({k % 2 ? -5.5 : -5.0, k + 0.5, named("W", k)});
           ws.texts.push_back({k % 3 ? 5.0 : 5.25, k + 0.25, named("E", k)});
         }
         return ws;
       }},
      {"every text at one point",
       [] {
         Workspace ws = crafted_workspace(5, 50);
         for (int k = 0; k < 60; ++k) ws.texts.push_back({1.0, 1.0, named(k % 2 ? "MC" : "W", k)});
         return ws;
       }},
      {"one column with heights shared by several texts (table order breaks the ties)",
       [] {
         Workspace ws = crafted_workspace(1, 40);
         for (int k = 0; k < 400; ++k) {
           ws.texts.push_back({(k % 3) * 0.25, std::floor(k / 7.0), named(k % 4 ? "W" : "MC", k)});
         }
         return ws;
       }},
      {"texts on the window edges and one step inside them",
       [] {
         Workspace ws = crafted_workspace(5, 50);
         for (int a = 0; a < 20; ++a) {
           const double x = 100.0 + 20 * a;
           const double y = 1000.0 - 7 * a;
           ws.texts.push_back({x, y, named("MC", a)});
           for (const double dx : {-5.0, 5.0, 0.0}) {
             for (const double dy : {-50.0, 0.0}) {
               ws.texts.push_back({x + dx, y + dy, named("EDGE", a)});
               ws.texts.push_back(
                   {std::nextafter(x + dx, x), std::nextafter(y + dy, y - 25), named("IN", a)});
             }
           }
         }
         return ws;
       }},
      {"infinite and huge coordinates",
       [inf] {
         Workspace ws = crafted_workspace(6, 12);
         const double values[] = {-inf, -1e308, -1.0, 0.0, 1.0, 1e308, inf};
         int k = 0;
         for (const double x : values) {
           for (const double y : values) ws.texts.push_back({x, y, named(k % 3 ? "W" : "MC", k++)});
         }
         for (const double x : values) ws.texts.push_back({x, 0.5, named("MC", k++)});
         return ws;
       }},
  };
  std::size_t deferred = 0;
  for (const auto& c : kCases) {
    Workspace ws = c.make();
    const std::vector<PartsRow> expected = recognise_literally(ws);
    RecognitionCounts counts;
    recognise_parts(ws, &counts);
    EXPECT_EQ(ws.parts.rows(), expected) << c.name;
    EXPECT_FALSE(expected.empty()) << c.name;
    deferred += counts.deferred;
  }
  EXPECT_GT(deferred, 100u);
}

}  // namespace
}  // namespace korvane
