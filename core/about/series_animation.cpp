#include "about/series_animation.h"

#include <cmath>

#include "text/messages.h"

namespace korvane::about {

Parallelogram rotate_rect(Rect area, int degrees, Turn turn) {
  const int cx = area.x + area.width / 2;
  const int cy = area.y + area.height / 2;
  const double half_w = area.width / 2.0;
  const double half_h = area.height / 2.0;
  const double r = std::sqrt(half_w * half_w + half_h * half_h);
  // An empty width would divide by zero: a vertical line stands at a right angle.
  const double theta =
      half_w > 0 ? std::atan(half_h / half_w) : (half_h > 0 ? std::acos(0.0) : 0.0);
  const double t = degrees * 0.017453292519444445;
  const double phi1 = turn == Turn::anticlockwise ? theta - t : theta + t;
  const double phi2 = turn == Turn::anticlockwise ? theta + t : theta - t;
  // Each offset is cut to an integer before it is added to the centre.
  const auto whole = [](double v) { return static_cast<int>(v); };
  return {{cx - whole(r * std::cos(phi1)), cy - whole(r * std::sin(phi1))},
          {cx + whole(r * std::cos(phi2)), cy - whole(r * std::sin(phi2))},
          {cx - whole(r * std::cos(phi2)), cy + whole(r * std::sin(phi2))}};
}

SeriesAnimation::SeriesAnimation(Size window, Size client, Size figure, Size title)
    : window_(window), client_(client), figure_(figure), title_(title) {}

void SeriesAnimation::start_cycle() {
  max_x_ = client_.width - figure_.width;
  max_y_ = client_.height - figure_.height;
  x0_ = max_x_ / 2;
  y0_ = max_y_ / 2;
  half_w_ = figure_.width / 2;
  half_h_ = figure_.height / 2;
  bx_ = x0_;
  by_ = y0_;
  moving_right_ = false;
  moving_up_ = false;
  dw_ = 0;
  dh_ = 0;
  ty_ = 0;
}

std::vector<DrawOp> SeriesAnimation::next_frame() {
  std::vector<DrawOp> ops;
  ops.push_back(FillWhite{{0, 0, window_.width, window_.height}});
  if (n_ == 0) {
    start_cycle();
  } else {
    draw_figure(ops);
    draw_title(ops);
    draw_text(ops);
  }
  n_ = n_ >= kSeriesLastFrame ? 0 : n_ + 1;
  return ops;
}

void SeriesAnimation::bounce() {
  if (moving_right_) {
    bx_ += 5;
    if (bx_ > max_x_) moving_right_ = false;
  } else {
    bx_ -= 5;
    if (bx_ < 0) moving_right_ = true;
  }
  if (moving_up_) {
    by_ -= 5;
    if (by_ < 0) moving_up_ = false;
  } else {
    by_ += 5;
    if (by_ > max_y_) moving_up_ = true;
  }
  if (n_ >= 120) bx_ += 2;
}

void SeriesAnimation::draw_figure(std::vector<DrawOp>& ops) {
  const int bw = figure_.width;
  const int bh = figure_.height;
  const Rect whole{0, 0, bw, bh};
  const auto copy_at = [&](int x, int y) {
    ops.push_back(CopyPicture{Picture::figure, whole, {x, y, bw, bh}});
  };
  if (n_ <= 14) {
    copy_at(n_ % 2 == 1 ? x0_ - 3 : x0_ + 3, y0_);
  } else if (n_ <= 134) {
    bounce();
    copy_at(bx_, by_);
  } else if (n_ <= 136) {
    copy_at(x0_, y0_);
  } else if (n_ <= 216) {
    const int step = n_ >= 165 && n_ <= 204 ? -5 : 5;
    dw_ += step;
    dh_ += step;
    const int w = bw + dw_;
    const int h = bh + dh_;
    ops.push_back(CopyPicture{
        Picture::figure, whole, {(client_.width - w) / 2, (client_.height - h) / 2, w, h}});
  } else if (n_ <= 229) {
    const int c = 5 * n_ - 1080;
    const int left_w = half_w_;
    const int right_w = bw - half_w_;
    const int top_h = half_h_;
    const int bottom_h = bh - half_h_;
    struct Quarter {
      Rect source;
      Point at;
      Turn turn;
    };
    const Quarter quarters[] = {
        {{0, 0, left_w, top_h}, {x0_ - c, y0_ - c}, Turn::anticlockwise},
        {{half_w_, 0, right_w, top_h}, {x0_ + half_w_ + c, y0_ - c}, Turn::anticlockwise},
        {{0, half_h_, left_w, bottom_h}, {x0_ - c, y0_ + half_h_ + c}, Turn::anticlockwise},
        {{half_w_, half_h_, right_w, bottom_h},
         {x0_ + half_w_ + c, y0_ + half_h_ + c},
         Turn::clockwise},
    };
    for (const Quarter& q : quarters) {
      const Rect target{q.at.x, q.at.y, q.source.width, q.source.height};
      ops.push_back(CopyPicture{Picture::figure, q.source, target});
      ops.push_back(RotateArea{target, rotate_rect(target, c, q.turn)});
    }
  }
}

void SeriesAnimation::draw_title(std::vector<DrawOp>& ops) const {
  const bool shown = (n_ >= 215 && n_ <= 246) || n_ == 248 || n_ == 250 || n_ == 252 || n_ == 254 ||
                     (n_ >= 257 && n_ <= 271);
  if (!shown) return;
  const int w = n_ <= 239 ? 10 * n_ - 2125 : 265;
  const int h = n_ <= 239 ? 2 * n_ - 424 : 54;
  ops.push_back(CopyPicture{Picture::title,
                            {0, 0, title_.width, title_.height},
                            {(client_.width - w) / 2, (client_.height - h) / 2, w, h}});
}

void SeriesAnimation::draw_text(std::vector<DrawOp>& ops) {
  if (n_ < 273 || n_ > 371) return;
  if (n_ == 273) {
    ty_ = client_.height;
  } else if (ty_ > 20) {
    ty_ -= 5;
  }
  ops.push_back(TextLine{{10, ty_}, std::string(msg::kSeriesLine1)});
  ops.push_back(TextLine{{40, ty_ + 20}, std::string(msg::kSeriesLine2)});
  ops.push_back(TextLine{{25, ty_ + 40}, std::string(msg::kSeriesLine3)});
  ops.push_back(TextLine{{130, ty_ + 60}, std::string(msg::kSeriesCredit)});
}

}  // namespace korvane::about
