#include "about/parallelogram_blit.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace korvane::about {

void rotate_area(PixelView surface, Rect area, const Parallelogram& corners) {
  if (!surface.pixels || area.width <= 0 || area.height <= 0) return;
  const auto index = [&](int x, int y) {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(surface.width) +
           static_cast<std::size_t>(x);
  };
  const auto inside = [&](int x, int y) {
    return x >= 0 && y >= 0 && x < surface.width && y < surface.height;
  };
  // The area as it was, with a flag for the pixels that lie off the surface.
  std::vector<std::uint32_t> copy(static_cast<std::size_t>(area.width) * area.height);
  std::vector<bool> present(copy.size());
  for (int y = 0; y < area.height; ++y) {
    for (int x = 0; x < area.width; ++x) {
      const std::size_t k = static_cast<std::size_t>(y) * area.width + x;
      present[k] = inside(area.x + x, area.y + y);
      if (present[k]) copy[k] = surface.pixels[index(area.x + x, area.y + y)];
    }
  }
  const double ox = corners.upper_left.x;
  const double oy = corners.upper_left.y;
  const double ax = corners.upper_right.x - ox;  // one area width along the top edge
  const double ay = corners.upper_right.y - oy;
  const double bx = corners.lower_left.x - ox;  // one area height along the left edge
  const double by = corners.lower_left.y - oy;
  const double det = ax * by - bx * ay;
  if (det == 0) return;
  const double xs[] = {ox, ox + ax, ox + bx, ox + ax + bx};
  const double ys[] = {oy, oy + ay, oy + by, oy + ay + by};
  const int left = std::max(0, static_cast<int>(std::floor(*std::min_element(xs, xs + 4))));
  const int right =
      std::min(surface.width, static_cast<int>(std::ceil(*std::max_element(xs, xs + 4))));
  const int top = std::max(0, static_cast<int>(std::floor(*std::min_element(ys, ys + 4))));
  const int bottom =
      std::min(surface.height, static_cast<int>(std::ceil(*std::max_element(ys, ys + 4))));
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      const double qx = x + 0.5 - ox;
      const double qy = y + 0.5 - oy;
      const double u = (qx * by - bx * qy) / det;
      const double v = (ax * qy - qx * ay) / det;
      if (!(u >= 0 && u < 1 && v >= 0 && v < 1)) continue;
      const int sx = std::min(area.width - 1, static_cast<int>(u * area.width));
      const int sy = std::min(area.height - 1, static_cast<int>(v * area.height));
      const std::size_t k = static_cast<std::size_t>(sy) * area.width + sx;
      if (present[k]) surface.pixels[index(x, y)] = copy[k];
    }
  }
}

}  // namespace korvane::about
