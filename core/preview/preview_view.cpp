#include "preview/preview_view.h"

#include <algorithm>
#include <cmath>

namespace korvane {

namespace {

// The margin of the SVG: a twentieth of the larger side, at least two text heights.
constexpr double kMarginPerSide = 0.05;
constexpr double kMarginTextHeights = 2.0;
constexpr double kTextsPerCell = 4.0;
constexpr std::size_t kMostCells = std::size_t{1} << 20;

}  // namespace

void PreviewView::fit(const PreviewExtent& extent, double text_height, int width, int height) {
  if (extent.empty || width <= 0 || height <= 0) {
    centre_x_ = centre_y_ = 0.0;
    scale_ = fit_scale_ = 1.0;
    return;
  }
  const double margin = std::max(kMarginPerSide * std::max(extent.width(), extent.height()),
                                 kMarginTextHeights * text_height);
  const double w = extent.width() + 2 * margin;
  const double h = extent.height() + 2 * margin;
  centre_x_ = extent.left + extent.width() / 2;
  centre_y_ = extent.bottom + extent.height() / 2;
  scale_ = w > 0 && h > 0 ? std::min(width / w, height / h) : 1.0;
  if (!(scale_ > 0) || !std::isfinite(scale_)) scale_ = 1.0;
  fit_scale_ = scale_;
}

void PreviewView::centre_on(double x, double y) {
  centre_x_ = x;
  centre_y_ = y;
}

void PreviewView::zoom_about(double factor, ScreenPoint at, int width, int height) {
  const ScreenPoint fixed = to_drawing(at, width, height);
  scale_ = std::clamp(scale_ * factor, fit_scale_ * kFarthestOut, fit_scale_ * kNearestIn);
  // The point under the pointer stays there: centre = fixed - (at - middle) / scale.
  centre_x_ = fixed.x - (at.x - width / 2.0) / scale_;
  centre_y_ = fixed.y + (at.y - height / 2.0) / scale_;
}

void PreviewView::pan(double dx, double dy) {
  centre_x_ -= dx / scale_;
  centre_y_ += dy / scale_;
}

ScreenPoint PreviewView::to_screen(double x, double y, int width, int height) const {
  return {width / 2.0 + (x - centre_x_) * scale_, height / 2.0 - (y - centre_y_) * scale_};
}

ScreenPoint PreviewView::to_drawing(ScreenPoint p, int width, int height) const {
  return {centre_x_ + (p.x - width / 2.0) / scale_, centre_y_ - (p.y - height / 2.0) / scale_};
}

PreviewExtent PreviewView::visible(int width, int height) const {
  const double half_w = width / 2.0 / scale_;
  const double half_h = height / 2.0 / scale_;
  return {centre_x_ - half_w, centre_y_ - half_h, centre_x_ + half_w, centre_y_ + half_h, false};
}

void TextGrid::build(const TextTable& texts) {
  entries_.clear();
  start_.clear();
  cells_x_ = cells_y_ = 0;
  std::vector<Entry> placed;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (is_placed(texts[i])) placed.push_back({texts[i].x, texts[i].y, i});
  }
  if (placed.empty()) return;
  double right = placed[0].x;
  double top = placed[0].y;
  left_ = placed[0].x;
  bottom_ = placed[0].y;
  for (const Entry& e : placed) {
    left_ = std::min(left_, e.x);
    bottom_ = std::min(bottom_, e.y);
    right = std::max(right, e.x);
    top = std::max(top, e.y);
  }
  // Square-ish cells for the extent's shape; a line of texts gets one row or column.
  const double wanted = std::clamp(static_cast<double>(placed.size()) / kTextsPerCell, 1.0,
                                   static_cast<double>(kMostCells));
  const double w = right - left_;
  const double h = top - bottom_;
  double nx = 1.0;
  double ny = 1.0;
  if (w > 0 && h > 0) {
    nx = std::clamp(std::round(std::sqrt(wanted * w / h)), 1.0, wanted);
    ny = std::clamp(std::round(wanted / nx), 1.0, wanted);
  } else if (w > 0) {
    nx = wanted;
  } else if (h > 0) {
    ny = wanted;
  }
  cells_x_ = static_cast<std::size_t>(nx);
  cells_y_ = static_cast<std::size_t>(ny);
  cell_width_ = w > 0 ? w / nx : 1.0;
  cell_height_ = h > 0 ? h / ny : 1.0;

  start_.assign(cells_x_ * cells_y_ + 1, 0);
  for (const Entry& e : placed) ++start_[row(e.y) * cells_x_ + column(e.x) + 1];
  for (std::size_t c = 1; c < start_.size(); ++c) start_[c] += start_[c - 1];
  entries_.resize(placed.size());
  std::vector<std::size_t> next(start_.begin(), start_.end() - 1);
  for (const Entry& e : placed) entries_[next[row(e.y) * cells_x_ + column(e.x)]++] = e;
}

std::size_t TextGrid::column(double x) const {
  const double c = std::floor((x - left_) / cell_width_);
  if (!(c > 0)) return 0;  // NaN too
  return std::min(static_cast<std::size_t>(std::min(c, 1e18)), cells_x_ - 1);
}

std::size_t TextGrid::row(double y) const {
  const double r = std::floor((y - bottom_) / cell_height_);
  if (!(r > 0)) return 0;
  return std::min(static_cast<std::size_t>(std::min(r, 1e18)), cells_y_ - 1);
}

}  // namespace korvane
