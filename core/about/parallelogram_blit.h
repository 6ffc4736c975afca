// A parallelogram blit in software: GDI's PlgBlt turns pictures on Windows, but not everywhere
// the program runs (Wine maps the corners to an upright rectangle), so the series window turns
// its quarters with this instead.
#pragma once

#include <cstdint>

#include "about/series_animation.h"

namespace korvane::about {

// 32-bit pixels, rows top down, owned by the caller (a DIB section on Windows).
struct PixelView {
  std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
};

// Copies `area` of `surface` onto the parallelogram `corners` of the same surface: the area's
// upper-left, upper-right and lower-left corners land on the three corners, and every pixel whose
// centre lies inside the parallelogram takes the area's pixel it maps back to (nearest, as it
// was before the copy). Pixels outside the parallelogram, or that map back outside the surface,
// are left alone; a flat parallelogram draws nothing.
void rotate_area(PixelView surface, Rect area, const Parallelogram& corners);

}  // namespace korvane::about
