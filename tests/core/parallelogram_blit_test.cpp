#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "about/parallelogram_blit.h"

namespace korvane::about {
namespace {

// A surface whose pixel (x, y) holds 100 * y + x, so every move can be traced back.
struct Surface {
  int width;
  int height;
  std::vector<std::uint32_t> pixels;
  Surface(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h) {
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) at(x, y) = static_cast<std::uint32_t>(100 * y + x);
    }
  }
  std::uint32_t& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
  PixelView view() { return {pixels.data(), width, height}; }
};

std::uint32_t original(int x, int y) { return static_cast<std::uint32_t>(100 * y + x); }

TEST(RotateArea, TheAreasOwnCornersLeaveTheSurfaceAsItWas) {
  Surface s(12, 10);
  const Surface before = s;
  rotate_area(s.view(), {2, 3, 5, 4}, {{2, 3}, {7, 3}, {2, 7}});
  EXPECT_EQ(s.pixels, before.pixels);
}

TEST(RotateArea, AQuarterTurnMapsEveryPixelAndTouchesNothingElse) {
  Surface s(10, 8);
  // Area 4 x 2 at (2, 2) turned clockwise onto the 2 x 4 block at (2, 2): its top edge runs down
  // the block's right side, its left edge along the block's top.
  rotate_area(s.view(), {2, 2, 4, 2}, {{4, 2}, {4, 6}, {2, 2}});
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 10; ++x) {
      const bool in_block = x >= 2 && x < 4 && y >= 2 && y < 6;
      const std::uint32_t expected =
          in_block ? original(2 + (y - 2), 2 + (1 - (x - 2))) : original(x, y);
      EXPECT_EQ(s.at(x, y), expected) << x << "," << y;
    }
  }
}

TEST(RotateArea, AHalfTurnOntoItselfReadsTheAreaAsItWasBeforeTheCopy) {
  Surface s(6, 6);
  rotate_area(s.view(), {1, 1, 3, 2}, {{4, 3}, {1, 3}, {4, 1}});
  for (int y = 1; y < 3; ++y) {
    for (int x = 1; x < 4; ++x) EXPECT_EQ(s.at(x, y), original(4 - x, 3 - y)) << x << "," << y;
  }
  EXPECT_EQ(s.at(0, 0), original(0, 0));
  EXPECT_EQ(s.at(4, 1), original(4, 1));
}

TEST(RotateArea, AreasAndCornersOffTheSurfaceAreClippedAndFlatOnesDrawNothing) {
  Surface s(8, 8);
  const Surface before = s;
  rotate_area(s.view(), {0, 0, 4, 4}, {{3, 3}, {3, 3}, {3, 3}});
  EXPECT_EQ(s.pixels, before.pixels);
  rotate_area(s.view(), {0, 0, 0, 4}, {{0, 0}, {0, 0}, {0, 4}});
  EXPECT_EQ(s.pixels, before.pixels);
  // Half of the area lies left of the surface: moved down by 4, only its visible half lands.
  rotate_area(s.view(), {-4, 0, 8, 2}, {{-4, 4}, {4, 4}, {-4, 6}});
  for (int x = 0; x < 8; ++x) {
    EXPECT_EQ(s.at(x, 4), x < 4 ? original(x, 0) : original(x, 4)) << x;
    EXPECT_EQ(s.at(x, 5), x < 4 ? original(x, 1) : original(x, 5)) << x;
  }
  // Moved right by 4 instead, the missing half is not invented from outside the surface.
  Surface t(8, 8);
  rotate_area(t.view(), {-4, 0, 8, 2}, {{0, 4}, {8, 4}, {0, 6}});
  for (int x = 0; x < 8; ++x)
    EXPECT_EQ(t.at(x, 4), x < 4 ? original(x, 4) : original(x - 4, 0)) << x;
}

TEST(RotateArea, ATurnReachingPastEveryEdgeOnlyMovesPixelsOfTheSurface) {
  Surface s(8, 8);
  const Rect big{-20, -20, 48, 48};
  rotate_area(s.view(), big, rotate_rect(big, 45, Turn::clockwise));
  int changed = 0;
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      const std::uint32_t v = s.at(x, y);
      EXPECT_TRUE(v % 100 < 8 && v / 100 < 8) << x << "," << y << " took " << v;
      changed += v != original(x, y);
    }
  }
  EXPECT_GT(changed, 0);
}

TEST(RotateArea, ATurnBy30DegreesKeepsTheCentreAndMovesTheCorners) {
  Surface s(40, 40);
  const Rect area{10, 10, 20, 20};
  rotate_area(s.view(), area, rotate_rect(area, 30, Turn::anticlockwise));
  EXPECT_EQ(s.at(20, 20), original(20, 20));  // the centre stays
  // Turned anticlockwise on the screen, the top-right corner rises to (23, 7), above the area:
  // just below it now lies a pixel from the area's top-right corner.
  const std::uint32_t v = s.at(23, 8);
  EXPECT_TRUE(v % 100 >= 26 && v % 100 < 30 && v / 100 >= 10 && v / 100 < 14) << v;
  // The bottom-left corner drops to (17, 33), below the area, bringing a pixel of that corner.
  const std::uint32_t w = s.at(17, 32);
  EXPECT_TRUE(w % 100 >= 10 && w % 100 < 14 && w / 100 >= 26 && w / 100 < 30) << w;
}

}  // namespace
}  // namespace korvane::about
