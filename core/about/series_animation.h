// The animation of the series window "Tessilon" as drawing operations, one frame at a time.
//
// The window side only carries out the operations in order on a surface the size of the window:
// the frame arithmetic (shake, bounce, zoom, split, title, scrolling text) lives here so that it
// can be tested without a screen.
#pragma once

#include <string>
#include <variant>
#include <vector>

namespace korvane::about {

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

// The three corners a parallelogram blit takes: where the source's upper-left, upper-right and
// lower-left corners land.
struct Parallelogram {
  Point upper_left;
  Point upper_right;
  Point lower_left;
  friend bool operator==(const Parallelogram&, const Parallelogram&) = default;
};

// Sense of a rotation as seen on the screen (y grows downwards).
enum class Turn { anticlockwise, clockwise };

// The corners that turn `area` by `degrees` about its centre. The degree factor is
// 0.017453292519444445, not pi / 180: the frames are drawn with it, to the pixel.
Parallelogram rotate_rect(Rect area, int degrees, Turn turn);

enum class Picture { figure, title };

// Fills an area with white.
struct FillWhite {
  Rect area;
};
// Copies `source` of a picture to `target`, stretching when the sizes differ.
struct CopyPicture {
  Picture picture;
  Rect source;
  Rect target;
};
// Copies `area` of the surface onto itself through a parallelogram blit.
struct RotateArea {
  Rect area;
  Parallelogram corners;
};
// Black text, transparent background, in the window's font. `text` is Shift-JIS.
struct TextLine {
  Point at;
  std::string text;
};

using DrawOp = std::variant<FillWhite, CopyPicture, RotateArea, TextLine>;

inline constexpr int kSeriesLastFrame = 372;
inline constexpr int kSeriesTimerMs = 100;

// One series window's animation. Each call of next_frame() gives the operations of frame n in
// painting order, then advances n (0 after 372). The layout is taken anew at every frame 0.
class SeriesAnimation {
 public:
  // `window` is the whole window (the white fill covers it), `client` the client area; `figure`
  // and `title` are the sizes of the two pictures.
  SeriesAnimation(Size window, Size client, Size figure, Size title);

  // The frame the next call draws.
  int frame() const { return n_; }
  std::vector<DrawOp> next_frame();

 private:
  void start_cycle();
  void draw_figure(std::vector<DrawOp>& ops);
  void bounce();
  void draw_title(std::vector<DrawOp>& ops) const;
  void draw_text(std::vector<DrawOp>& ops);

  Size window_;
  Size client_;
  Size figure_;
  Size title_;
  int n_ = 0;
  // Layout of the figure, taken at frame 0.
  int max_x_ = 0;
  int max_y_ = 0;
  int x0_ = 0;
  int y0_ = 0;
  int half_w_ = 0;
  int half_h_ = 0;
  // Bounce, zoom and text state, cleared at frame 0.
  int bx_ = 0;
  int by_ = 0;
  bool moving_right_ = false;
  bool moving_up_ = false;
  int dw_ = 0;
  int dh_ = 0;
  int ty_ = 0;
};

}  // namespace korvane::about
