#include <gtest/gtest.h>

#include <vector>

#include "about/series_animation.h"
#include "test_support.h"

namespace korvane::about {
namespace {

// A window of the usual size: client 225 x 210, figure 63 x 67, so x0 = 81, y0 = 71, largest
// x = 162, largest y = 143.
constexpr Size kWindow{231, 239};
constexpr Size kClient{225, 210};
constexpr Size kFigure{63, 67};
constexpr Size kTitle{263, 63};

// The operations of every frame from 0 to `last`.
std::vector<std::vector<DrawOp>> play(int last, Size client = kClient) {
  SeriesAnimation animation(kWindow, client, kFigure, kTitle);
  std::vector<std::vector<DrawOp>> frames;
  for (int n = 0; n <= last; ++n) frames.push_back(animation.next_frame());
  return frames;
}

template <class T>
std::vector<T> ops_of(const std::vector<DrawOp>& frame) {
  std::vector<T> out;
  for (const DrawOp& op : frame) {
    if (const T* p = std::get_if<T>(&op)) out.push_back(*p);
  }
  return out;
}

std::vector<CopyPicture> copies_of(const std::vector<DrawOp>& frame, Picture picture) {
  std::vector<CopyPicture> out;
  for (const CopyPicture& c : ops_of<CopyPicture>(frame)) {
    if (c.picture == picture) out.push_back(c);
  }
  return out;
}

// Where the whole figure is drawn at frame n (exactly one copy expected).
Rect figure_at(const std::vector<DrawOp>& frame) {
  const auto copies = copies_of(frame, Picture::figure);
  EXPECT_EQ(copies.size(), 1u);
  return copies.empty() ? Rect{} : copies[0].target;
}

bool only_white(const std::vector<DrawOp>& frame) {
  return frame.size() == 1 && std::holds_alternative<FillWhite>(frame[0]) &&
         std::get<FillWhite>(frame[0]).area == Rect{0, 0, kWindow.width, kWindow.height};
}

TEST(SeriesAnimation, EveryFrameStartsWhiteOverTheWholeWindowAndFrameZeroDrawsNothingElse) {
  const auto frames = play(372);
  for (const auto& frame : frames) {
    ASSERT_FALSE(frame.empty());
    const auto* fill = std::get_if<FillWhite>(&frame[0]);
    ASSERT_NE(fill, nullptr);
    EXPECT_EQ(fill->area, (Rect{0, 0, kWindow.width, kWindow.height}));
  }
  EXPECT_TRUE(only_white(frames[0]));
  EXPECT_TRUE(only_white(frames[272]));
  EXPECT_TRUE(only_white(frames[372]));
}

TEST(SeriesAnimation, ShakesLeftOnOddFramesAndRightOnEvenOnesAtItsOwnSize) {
  const auto frames = play(15);
  EXPECT_EQ(figure_at(frames[1]), (Rect{78, 71, 63, 67}));
  EXPECT_EQ(figure_at(frames[2]), (Rect{84, 71, 63, 67}));
  EXPECT_EQ(figure_at(frames[13]), (Rect{78, 71, 63, 67}));
  EXPECT_EQ(figure_at(frames[14]), (Rect{84, 71, 63, 67}));
  EXPECT_EQ(copies_of(frames[1], Picture::figure)[0].source, (Rect{0, 0, 63, 67}));
  EXPECT_EQ(figure_at(frames[15]), (Rect{76, 76, 63, 67}));  // the bounce starts from the centre
}

TEST(SeriesAnimation, BounceTurnsOncePastAnEdgeAndDriftsRightAtTheEnd) {
  const auto frames = play(136);
  // Left from 81 by 5: -4 at frame 31 is below 0, so frame 32 moves right again.
  EXPECT_EQ(figure_at(frames[30]).x, 1);
  EXPECT_EQ(figure_at(frames[31]).x, -4);
  EXPECT_EQ(figure_at(frames[32]).x, 1);
  // Right up to 166 (past 162) at frame 65, then back.
  EXPECT_EQ(figure_at(frames[65]).x, 166);
  EXPECT_EQ(figure_at(frames[66]).x, 161);
  // Down from 71: 146 at frame 29 exceeds 143, then up to -4 at frame 59, then down.
  EXPECT_EQ(figure_at(frames[29]).y, 146);
  EXPECT_EQ(figure_at(frames[30]).y, 141);
  EXPECT_EQ(figure_at(frames[59]).y, -4);
  EXPECT_EQ(figure_at(frames[60]).y, 1);
  // From frame 120 every step moves a further 2 to the right.
  EXPECT_EQ(figure_at(frames[119]), (Rect{96, -4, 63, 67}));
  EXPECT_EQ(figure_at(frames[120]), (Rect{103, 1, 63, 67}));
  EXPECT_EQ(figure_at(frames[129]).x, 166);  // past 162: turns
  EXPECT_EQ(figure_at(frames[130]).x, 163);
  EXPECT_EQ(figure_at(frames[134]), (Rect{151, 71, 63, 67}));
  // 135 and 136 sit at the centre corner.
  EXPECT_EQ(figure_at(frames[135]), (Rect{81, 71, 63, 67}));
  EXPECT_EQ(figure_at(frames[136]), (Rect{81, 71, 63, 67}));
}

TEST(SeriesAnimation, AClientExactlyAsWideAsTheFigureTurnsTheBounceAtEveryExtreme) {
  const auto frames = play(134, Size{63, 210});
  // Largest x is 0: the figure goes -5, 0, 5, 0, -5, ... and never travels further.
  const int expected[] = {-5, 0, 5, 0};
  for (int n = 15; n < 120; ++n) {
    EXPECT_EQ(figure_at(frames[n]).x, expected[(n - 15) % 4]) << "frame " << n;
  }
  // From frame 120 the extra 2 px make it creep: right 7, then left 3 a frame until below 0.
  const int tail[] = {2, 9, 6, 3, 0, 7, 4, 1, 8, 5, 2, -1, 6, 3, 0};
  for (int n = 120; n <= 134; ++n) EXPECT_EQ(figure_at(frames[n]).x, tail[n - 120]) << n;
}

TEST(SeriesAnimation, ZoomGrowsShrinksAndGrowsBackCentredInTheClient) {
  const auto frames = play(216);
  EXPECT_EQ(figure_at(frames[137]), (Rect{78, 69, 68, 72}));
  EXPECT_EQ(figure_at(frames[164]), (Rect{11, 1, 203, 207}));
  EXPECT_EQ(figure_at(frames[165]), (Rect{13, 4, 198, 202}));
  EXPECT_EQ(figure_at(frames[204]), (Rect{111, 101, 3, 7}));
  EXPECT_EQ(figure_at(frames[216]), (Rect{81, 71, 63, 67}));
  EXPECT_EQ(copies_of(frames[164], Picture::figure)[0].source, (Rect{0, 0, 63, 67}));
}

TEST(SeriesAnimation, SplitMovesEachQuarterOutAndTurnsIt) {
  const auto frames = play(230);
  // Frame 217: c = 5. Quarters 31 and 32 wide, 33 and 34 high.
  const auto& f = frames[217];
  ASSERT_EQ(f.size(), 1u + 8u + 1u);  // white, four quarters copied and turned, the title
  const Rect targets[] = {
      {76, 66, 31, 33}, {117, 66, 32, 33}, {76, 109, 31, 34}, {117, 109, 32, 34}};
  const Rect sources[] = {{0, 0, 31, 33}, {31, 0, 32, 33}, {0, 33, 31, 34}, {31, 33, 32, 34}};
  for (int q = 0; q < 4; ++q) {
    const auto* copy = std::get_if<CopyPicture>(&f[1 + 2 * q]);
    const auto* turn = std::get_if<RotateArea>(&f[2 + 2 * q]);
    ASSERT_TRUE(copy && turn) << "quarter " << q;
    EXPECT_EQ(copy->picture, Picture::figure);
    EXPECT_EQ(copy->source, sources[q]);
    EXPECT_EQ(copy->target, targets[q]);
    EXPECT_EQ(turn->area, targets[q]);
    const Turn sense = q == 3 ? Turn::clockwise : Turn::anticlockwise;
    EXPECT_EQ(turn->corners, rotate_rect(targets[q], 5, sense)) << "quarter " << q;
  }
  // Frame 229: c = 65, the top-left quarter far out and turned by 65 degrees.
  const auto turns = ops_of<RotateArea>(frames[229]);
  ASSERT_EQ(turns.size(), 4u);
  EXPECT_EQ(turns[0].area, (Rect{16, 6, 31, 33}));
  EXPECT_EQ(turns[0].corners, rotate_rect({16, 6, 31, 33}, 65, Turn::anticlockwise));
  EXPECT_TRUE(ops_of<RotateArea>(frames[230]).empty());
}

TEST(SeriesAnimation, RotationCornersOfAKnownRectangleInBothSenses) {
  // 40 x 30 at (10, 20), 30 degrees: centre (30, 35), radius 25.
  EXPECT_EQ(rotate_rect({10, 20, 40, 30}, 30, Turn::anticlockwise),
            (Parallelogram{{6, 33}, {39, 13}, {21, 57}}));
  EXPECT_EQ(rotate_rect({10, 20, 40, 30}, 30, Turn::clockwise),
            (Parallelogram{{21, 13}, {54, 33}, {6, 37}}));
  // No angle gives the rectangle's own corners.
  EXPECT_EQ(rotate_rect({10, 20, 40, 30}, 0, Turn::clockwise),
            (Parallelogram{{10, 20}, {50, 20}, {10, 50}}));
  // A quarter turn of a square: with pi / 180 the corners would be exact ((0, 40), (0, 0),
  // (40, 40)); the program's slightly smaller factor falls short and truncates one pixel in.
  EXPECT_EQ(rotate_rect({0, 0, 40, 40}, 90, Turn::anticlockwise),
            (Parallelogram{{0, 39}, {1, 0}, {39, 40}}));
  EXPECT_EQ(rotate_rect({0, 0, 40, 40}, 90, Turn::clockwise),
            (Parallelogram{{39, 0}, {40, 39}, {0, 1}}));
  // An empty width is a vertical line, not a division by zero.
  EXPECT_EQ(rotate_rect({5, 5, 0, 10}, 30, Turn::clockwise),
            (Parallelogram{{7, 6}, {7, 6}, {3, 14}}));
}

TEST(SeriesAnimation, TitleZoomsInThenBlinksAtFullSize) {
  const auto frames = play(272);
  const auto title_at = [&](int n) {
    const auto copies = copies_of(frames[n], Picture::title);
    return copies.size() == 1 ? copies[0].target : Rect{};
  };
  EXPECT_TRUE(copies_of(frames[214], Picture::title).empty());
  EXPECT_EQ(title_at(215), (Rect{100, 102, 25, 6}));
  EXPECT_EQ(title_at(239), (Rect{-20, 78, 265, 54}));
  EXPECT_EQ(title_at(240), (Rect{-20, 78, 265, 54}));
  EXPECT_EQ(copies_of(frames[239], Picture::title)[0].source, (Rect{0, 0, 263, 63}));
  // Frames 246 to 257 blink: shown at 246, 248, 250, 252, 254 and 257.
  const bool shown[] = {true, false, true, false, true,  false,
                        true, false, true, false, false, true};
  for (int n = 246; n <= 257; ++n) {
    EXPECT_EQ(copies_of(frames[n], Picture::title).size(), shown[n - 246] ? 1u : 0u) << n;
    if (shown[n - 246]) {
      EXPECT_EQ(title_at(n), (Rect{-20, 78, 265, 54})) << n;
    }
  }
  EXPECT_EQ(title_at(271), (Rect{-20, 78, 265, 54}));
  // While the split runs the title is drawn last, over the quarters.
  EXPECT_TRUE(std::holds_alternative<CopyPicture>(frames[220].back()));
  EXPECT_EQ(std::get<CopyPicture>(frames[220].back()).picture, Picture::title);
}

TEST(SeriesAnimation, TextStartsAtTheClientBottomAndScrollsUpTo20) {
  const auto frames = play(372);
  const auto lines = ops_of<TextLine>(frames[273]);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].at, (Point{10, 210}));
  EXPECT_EQ(lines[1].at, (Point{40, 230}));
  EXPECT_EQ(lines[2].at, (Point{25, 250}));
  EXPECT_EQ(lines[3].at, (Point{130, 270}));
  EXPECT_EQ(lines[0].text, test::sjis("イニシャルがＴのＣＡＤファイル"));
  EXPECT_EQ(lines[1].text, test::sjis("DWG&DXFを自動処理します"));
  EXPECT_EQ(lines[2].text, test::sjis("これがTessilonのアプリです"));
  EXPECT_FALSE(lines[3].text.empty());
  EXPECT_EQ(ops_of<TextLine>(frames[274])[0].at.y, 205);
  EXPECT_EQ(ops_of<TextLine>(frames[310])[0].at.y, 25);
  EXPECT_EQ(ops_of<TextLine>(frames[311])[0].at.y, 20);
  EXPECT_EQ(ops_of<TextLine>(frames[371])[0].at.y, 20);
  EXPECT_EQ(ops_of<TextLine>(frames[371])[3].at, (Point{130, 80}));
  EXPECT_TRUE(ops_of<TextLine>(frames[272]).empty());
  EXPECT_TRUE(copies_of(frames[300], Picture::figure).empty());
}

TEST(SeriesAnimation, WrapsAfter372AndStartsTheNextCycleAfresh) {
  SeriesAnimation animation(kWindow, kClient, kFigure, kTitle);
  std::vector<std::vector<DrawOp>> first;
  for (int n = 0; n <= 372; ++n) first.push_back(animation.next_frame());
  EXPECT_EQ(animation.frame(), 0);
  for (int n = 0; n <= 240; ++n) {
    const auto again = animation.next_frame();
    ASSERT_EQ(again.size(), first[n].size()) << "frame " << n;
    if (n >= 15 && n <= 134) {
      EXPECT_EQ(figure_at(again), figure_at(first[n])) << "frame " << n;
    }
  }
  EXPECT_EQ(animation.frame(), 241);
}

}  // namespace
}  // namespace korvane::about
