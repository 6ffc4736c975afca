#include "preview_canvas.h"
#include "guarded_proc.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "app.h"
#include "preview_window.h"

namespace korvane::win {
namespace {

// Below this many pixels a text is a dot of its class's colour: too small to read, and thousands
// of dots draw far faster than thousands of texts.
constexpr int kSmallestTextPixels = 4;
constexpr double kWheelStep = 1.25;  // zoom per notch
constexpr int kDragThreshold = 3;    // pixels a press may move and still be a click
constexpr int kClickSlack = 3;       // pixels around an anchor that still hit it
constexpr std::uint32_t kMarkColour = 0x00A000;
// GDI wants coordinates well inside 32 bits; a point far outside the canvas is drawn at this.
constexpr double kFarPixels = 1e6;
// The widest text of the table (63 bytes), in text heights.
constexpr double kWidestText = 32.0;

COLORREF colour_ref(std::uint32_t rgb) {
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

App* app_of_canvas(HWND canvas) {
  return reinterpret_cast<App*>(GetWindowLongPtrW(canvas, GWLP_USERDATA));
}

SIZE canvas_size(const PreviewWindow& p) {
  RECT r{};
  GetClientRect(p.canvas, &r);
  return {r.right, r.bottom};
}

int pixel(double v) {
  return static_cast<int>(std::lround(std::clamp(v, -kFarPixels, kFarPixels)));
}

void make_fonts(PreviewWindow& p, int pixels) {
  if (p.font_pixels == pixels && p.font) return;
  if (p.font) DeleteObject(p.font);
  if (p.bold_font) DeleteObject(p.bold_font);
  const auto make = [pixels](int weight) {
    return CreateFontW(-pixels, 0, 0, 0, weight, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH,
                       L"ＭＳ ゴシック");
  };
  p.font = make(FW_NORMAL);
  p.bold_font = make(FW_BOLD);
  p.font_pixels = pixels;
}

// Draws one picture of the view into `dc` (the back buffer), `width` x `height` pixels.
class Painter {
 public:
  Painter(HDC dc, PreviewWindow& p, const App& app, int width, int height)
      : dc_(dc), p_(p), texts_(app.ws.texts), width_(width), height_(height) {}

  void paint() {
    RECT all{0, 0, width_, height_};
    FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (texts_.empty()) return;
    const double h = p_.data.text_height;
    const PreviewExtent seen = p_.view.visible(width_, height_);
    // Anchors whose window reaches into the view, and texts that reach into it.
    const PreviewExtent window_reach{seen.left - p_.data.pt_x, seen.bottom,
                                     seen.right + p_.data.pt_x, seen.top + p_.data.pt_y, false};
    const PreviewExtent text_reach{seen.left - kWidestText * h, seen.bottom - h, seen.right,
                                   seen.top, false};
    std::vector<std::size_t> anchors;
    p_.grid.visit(window_reach, [&](std::size_t i) {
      if (p_.group_at[i] >= 0) anchors.push_back(i);
    });
    std::vector<std::size_t> shown;
    p_.grid.visit(text_reach, [&](std::size_t i) { shown.push_back(i); });

    windows_and_links(anchors);
    marks();  // under the texts, which stay readable
    const int pixels = static_cast<int>(std::lround(h * p_.view.scale()));
    if (pixels >= kSmallestTextPixels) {
      make_fonts(p_, std::min(pixels, 2000));
      halos(shown, pixels);
      texts(shown, TextClass::Other, p_.font);
      texts(shown, TextClass::Field, p_.font);
      texts(shown, TextClass::Anchor, p_.bold_font);
    } else {
      dots(shown);
    }
  }

 private:
  ScreenPoint at(double x, double y) const { return p_.view.to_screen(x, y, width_, height_); }

  void windows_and_links(const std::vector<std::size_t>& anchors) {
    HPEN window_pen = CreatePen(PS_SOLID, 1, colour_ref(kWindowColour));
    HPEN link_pen = CreatePen(PS_SOLID, 1, colour_ref(kLinkColour));
    HGDIOBJ old_pen = SelectObject(dc_, window_pen);
    HGDIOBJ old_brush = SelectObject(dc_, GetStockObject(NULL_BRUSH));
    for (std::size_t i : anchors) {
      const RecognisedGroup& g = p_.data.groups[static_cast<std::size_t>(p_.group_at[i])];
      const GroupWindow w = p_.data.window(texts_, g);
      const ScreenPoint a = at(w.left, w.top);
      const ScreenPoint b = at(w.right, w.bottom);
      Rectangle(dc_, pixel(a.x), pixel(a.y), pixel(b.x) + 1, pixel(b.y) + 1);
    }
    SelectObject(dc_, link_pen);
    for (std::size_t i : anchors) {
      const RecognisedGroup& g = p_.data.groups[static_cast<std::size_t>(p_.group_at[i])];
      const ScreenPoint a = at(texts_[i].x, texts_[i].y);
      for (int k = 0; k < g.size; ++k) {
        const TextRecord& m = texts_[g.members[static_cast<std::size_t>(k)]];
        const ScreenPoint s = at(m.x, m.y);
        MoveToEx(dc_, pixel(s.x), pixel(s.y), nullptr);
        LineTo(dc_, pixel(a.x), pixel(a.y));
      }
    }
    SelectObject(dc_, old_brush);
    SelectObject(dc_, old_pen);
    DeleteObject(window_pen);
    DeleteObject(link_pen);
  }

  void halos(const std::vector<std::size_t>& shown, int pixels) {
    HBRUSH brush = CreateSolidBrush(colour_ref(kFindingColour));
    const int pad = std::max(1, pixels / 6);
    for (std::size_t i : shown) {
      if (p_.data.findings_of(i).empty()) continue;
      const ScreenPoint s = at(texts_[i].x, texts_[i].y);
      const double w = text_width(texts_[i], p_.data.text_height) * p_.view.scale();
      const RECT r{pixel(s.x) - pad, pixel(s.y) - pixels - pad, pixel(s.x + w) + pad,
                   pixel(s.y) + pad + pixels / 4};
      FillRect(dc_, &r, brush);
    }
    DeleteObject(brush);
  }

  void texts(const std::vector<std::size_t>& shown, TextClass which, HFONT font) {
    HGDIOBJ old_font = SelectObject(dc_, font);
    SetBkMode(dc_, TRANSPARENT);
    SetTextAlign(dc_, TA_LEFT | TA_BASELINE);
    SetTextColor(dc_, colour_ref(which == TextClass::Anchor  ? kAnchorColour
                                 : which == TextClass::Field ? kFieldColour
                                                             : kOtherColour));
    for (std::size_t i : shown) {
      if (p_.data.classes[i] != which) continue;
      const ScreenPoint s = at(texts_[i].x, texts_[i].y);
      const std::wstring& text = p_.texts[i];
      TextOutW(dc_, pixel(s.x), pixel(s.y), text.c_str(), static_cast<int>(text.size()));
    }
    SelectObject(dc_, old_font);
  }

  void dots(const std::vector<std::size_t>& shown) {
    for (TextClass which : {TextClass::Other, TextClass::Field, TextClass::Anchor}) {
      HBRUSH brush = CreateSolidBrush(colour_ref(which == TextClass::Anchor  ? kAnchorColour
                                                 : which == TextClass::Field ? kFieldColour
                                                                             : kOtherColour));
      for (std::size_t i : shown) {
        if (p_.data.classes[i] != which) continue;
        const ScreenPoint s = at(texts_[i].x, texts_[i].y);
        const RECT r{pixel(s.x), pixel(s.y) - 2, pixel(s.x) + 2, pixel(s.y)};
        FillRect(dc_, &r, brush);
      }
      DeleteObject(brush);
    }
  }

  // The anchors of the selected row: their windows and their texts outlined thick.
  void marks() {
    if (p_.marked.empty()) return;
    HPEN pen = CreatePen(PS_SOLID, 3, colour_ref(kMarkColour));
    HGDIOBJ old_pen = SelectObject(dc_, pen);
    HGDIOBJ old_brush = SelectObject(dc_, GetStockObject(NULL_BRUSH));
    for (std::size_t i : p_.marked) {
      if (i >= texts_.size() || !is_placed(texts_[i])) continue;
      const GroupWindow w =
          p_.group_at[i] >= 0
              ? p_.data.window(texts_, p_.data.groups[static_cast<std::size_t>(p_.group_at[i])])
              : GroupWindow{texts_[i].x, texts_[i].x, texts_[i].y, texts_[i].y};
      const ScreenPoint a = at(w.left, w.top);
      const ScreenPoint b = at(w.right, w.bottom);
      Rectangle(dc_, pixel(a.x) - 3, pixel(a.y) - 3, pixel(b.x) + 4, pixel(b.y) + 4);
      // The text's box, at least a few pixels wide so that a far view still shows it.
      const double h = p_.data.text_height;
      const ScreenPoint t0 = at(texts_[i].x, texts_[i].y + h);
      const ScreenPoint t1 = at(texts_[i].x + text_width(texts_[i], h), texts_[i].y);
      const RECT box{pixel(t0.x) - 6, pixel(t0.y) - 6, std::max(pixel(t1.x), pixel(t0.x) + 4) + 7,
                     std::max(pixel(t1.y), pixel(t0.y) + 4) + 7};
      Rectangle(dc_, box.left, box.top, box.right, box.bottom);
    }
    SelectObject(dc_, old_brush);
    SelectObject(dc_, old_pen);
    DeleteObject(pen);
  }

  HDC dc_;
  PreviewWindow& p_;
  const TextTable& texts_;
  int width_;
  int height_;
};

void on_paint(HWND canvas, App& app) {
  PreviewWindow& p = app.preview;
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(canvas, &ps);
  RECT r{};
  GetClientRect(canvas, &r);
  if (r.right > 0 && r.bottom > 0) {
    if (!p.buffer || p.buffer_width != r.right || p.buffer_height != r.bottom) {
      if (p.buffer) DeleteObject(p.buffer);
      p.buffer = CreateCompatibleBitmap(dc, r.right, r.bottom);
      p.buffer_width = r.right;
      p.buffer_height = r.bottom;
    }
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, p.buffer);
    Painter(memory, p, app, r.right, r.bottom).paint();
    BitBlt(dc, 0, 0, r.right, r.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
  }
  EndPaint(canvas, &ps);
}

// The anchor text under a canvas point, if any: its box is the text's estimated extent.
std::optional<std::size_t> anchor_at(const PreviewWindow& p, const App& app, POINT point) {
  const SIZE size = canvas_size(p);
  const double h = p.data.text_height;
  const double slack = kClickSlack / p.view.scale();
  const ScreenPoint d = p.view.to_drawing(
      {static_cast<double>(point.x), static_cast<double>(point.y)}, size.cx, size.cy);
  const PreviewExtent reach{d.x - kWidestText * h - slack, d.y - h - slack, d.x + slack,
                            d.y + slack, false};
  std::optional<std::size_t> hit;
  p.grid.visit(reach, [&](std::size_t i) {
    if (p.group_at[i] < 0) return;
    const TextRecord& t = app.ws.texts[i];
    if (d.x >= t.x - slack && d.x <= t.x + text_width(t, h) + slack && d.y >= t.y - slack &&
        d.y <= t.y + h + slack && (!hit || i < *hit)) {
      hit = i;
    }
  });
  return hit;
}

LRESULT canvas_proc(HWND canvas, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(canvas, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  App* app = app_of_canvas(canvas);
  if (!app || app->preview.canvas != canvas) return DefWindowProcW(canvas, message, wparam, lparam);
  PreviewWindow& p = app->preview;
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the back buffer covers everything
    case WM_PAINT:
      on_paint(canvas, *app);
      return 0;
    case WM_SIZE:
      if (p.fit_pending && LOWORD(lparam) > 0 && HIWORD(lparam) > 0) {
        fit_preview(p, *app);
        p.fit_pending = false;
      }
      InvalidateRect(canvas, nullptr, FALSE);
      return 0;
    case WM_MOUSEWHEEL: {
      POINT at{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
      ScreenToClient(canvas, &at);
      const SIZE size = canvas_size(p);
      const double notches = GET_WHEEL_DELTA_WPARAM(wparam) / static_cast<double>(WHEEL_DELTA);
      p.view.zoom_about(std::pow(kWheelStep, notches),
                        {static_cast<double>(at.x), static_cast<double>(at.y)}, size.cx, size.cy);
      InvalidateRect(canvas, nullptr, FALSE);
      return 0;
    }
    case WM_LBUTTONDOWN:
      SetFocus(canvas);
      SetCapture(canvas);
      p.pressed = true;
      p.dragged = false;
      p.last_mouse = {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
      return 0;
    case WM_MOUSEMOVE: {
      if (!p.pressed) return 0;
      const POINT now{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
      const int dx = now.x - p.last_mouse.x;
      const int dy = now.y - p.last_mouse.y;
      if (!p.dragged && std::abs(dx) <= kDragThreshold && std::abs(dy) <= kDragThreshold) return 0;
      p.dragged = true;
      p.view.pan(dx, dy);
      p.last_mouse = now;
      InvalidateRect(canvas, nullptr, FALSE);
      UpdateWindow(canvas);
      return 0;
    }
    case WM_LBUTTONUP: {
      if (!p.pressed) return 0;
      p.pressed = false;
      ReleaseCapture();
      if (!p.dragged) {
        if (const auto anchor = anchor_at(p, *app, {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)})) {
          select_row_of_anchor(*app, *anchor);
        }
      }
      return 0;
    }
    case WM_CAPTURECHANGED:
      p.pressed = false;
      return 0;
    default:
      return DefWindowProcW(canvas, message, wparam, lparam);
  }
}

}  // namespace

bool register_preview_canvas_class(HINSTANCE instance) {
  WNDCLASSW wc{};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = guarded<canvas_proc>;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND));
  wc.lpszClassName = kPreviewCanvasClass;
  return RegisterClassW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void fit_preview(PreviewWindow& preview, const App& app) {
  const SIZE size = canvas_size(preview);
  preview.view.fit(preview_extent(app.ws.texts, preview.data), preview.data.text_height, size.cx,
                   size.cy);
}

void centre_preview_on(PreviewWindow& preview, const App& app,
                       const std::vector<std::size_t>& texts) {
  PreviewExtent box;
  for (std::size_t i : texts) {
    if (i >= app.ws.texts.size() || !is_placed(app.ws.texts[i])) continue;
    const TextRecord& t = app.ws.texts[i];
    if (box.empty) {
      box = {t.x, t.y, t.x, t.y, false};
    } else {
      box.left = std::min(box.left, t.x);
      box.right = std::max(box.right, t.x);
      box.bottom = std::min(box.bottom, t.y);
      box.top = std::max(box.top, t.y);
    }
  }
  if (!box.empty) preview.view.centre_on((box.left + box.right) / 2, (box.bottom + box.top) / 2);
}

void release_canvas_resources(PreviewWindow& preview) {
  if (preview.buffer) DeleteObject(preview.buffer);
  if (preview.font) DeleteObject(preview.font);
  if (preview.bold_font) DeleteObject(preview.bold_font);
  preview.buffer = nullptr;
  preview.font = nullptr;
  preview.bold_font = nullptr;
  preview.font_pixels = 0;
}

}  // namespace korvane::win
