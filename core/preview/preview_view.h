// What the preview window shows of the drawing: the view (where it looks and how near), and an
// index that finds the texts inside a rectangle without visiting the others, so that a drawing of
// tens of thousands of texts pans smoothly. Portable, so its arithmetic is tested natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "dxf/text_table.h"
#include "preview/drawing_preview.h"

namespace korvane {

// Screen points are pixels of the canvas, y down; drawing points are drawing units, y up.
struct ScreenPoint {
  double x = 0.0;
  double y = 0.0;
};

class PreviewView {
 public:
  // How far the view may zoom, against the scale that fits the whole drawing.
  static constexpr double kFarthestOut = 0.25;
  static constexpr double kNearestIn = 20000.0;

  // The whole extent in a canvas of width x height pixels, with the SVG's margin rule.
  void fit(const PreviewExtent& extent, double text_height, int width, int height);
  void centre_on(double x, double y);
  // Multiplies the scale by `factor` (within the limits), keeping the drawing point under the
  // screen point where it is.
  void zoom_about(double factor, ScreenPoint at, int width, int height);
  // Moves the picture by (dx, dy) pixels, as a drag does.
  void pan(double dx, double dy);

  ScreenPoint to_screen(double x, double y, int width, int height) const;
  ScreenPoint to_drawing(ScreenPoint p, int width, int height) const;
  // The drawing rectangle the canvas shows.
  PreviewExtent visible(int width, int height) const;

  double centre_x() const { return centre_x_; }
  double centre_y() const { return centre_y_; }
  double scale() const { return scale_; }  // pixels per drawing unit

 private:
  double centre_x_ = 0.0;
  double centre_y_ = 0.0;
  double scale_ = 1.0;
  double fit_scale_ = 1.0;
};

// The placed texts of a table in a uniform grid of about four texts a cell.
class TextGrid {
 public:
  void build(const TextTable& texts);
  // The texts with left <= x <= right and bottom <= y <= top, cell by cell (in no set order).
  // Visits only the cells the rectangle meets.
  template <typename Visit>
  void visit(const PreviewExtent& r, Visit&& visit) const {
    if (cells_x_ == 0 || r.empty) return;
    const std::size_t c0 = column(r.left);
    const std::size_t c1 = column(r.right);
    const std::size_t r0 = row(r.bottom);
    const std::size_t r1 = row(r.top);
    for (std::size_t cy = r0; cy <= r1; ++cy) {
      for (std::size_t cx = c0; cx <= c1; ++cx) {
        const std::size_t cell = cy * cells_x_ + cx;
        for (std::size_t k = start_[cell]; k < start_[cell + 1]; ++k) {
          const Entry& e = entries_[k];
          if (r.left <= e.x && e.x <= r.right && r.bottom <= e.y && e.y <= r.top) visit(e.index);
        }
      }
    }
  }
  std::size_t size() const { return entries_.size(); }
  std::size_t cells() const { return start_.empty() ? 0 : start_.size() - 1; }

 private:
  struct Entry {
    double x;
    double y;
    std::size_t index;
  };
  std::size_t column(double x) const;
  std::size_t row(double y) const;

  std::vector<Entry> entries_;      // by cell
  std::vector<std::size_t> start_;  // cell c is entries_[start_[c], start_[c + 1])
  std::size_t cells_x_ = 0;
  std::size_t cells_y_ = 0;
  double left_ = 0.0;
  double bottom_ = 0.0;
  double cell_width_ = 1.0;
  double cell_height_ = 1.0;
};

}  // namespace korvane
