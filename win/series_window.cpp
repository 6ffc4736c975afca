#include "series_window.h"
#include "guarded_proc.h"

#include <cstdint>
#include <memory>
#include <variant>

#include "about/parallelogram_blit.h"
#include "about/series_animation.h"
#include "resource.h"
#include "wide.h"

namespace korvane::win {
namespace {

using about::Size;

// Each window keeps its own animation, so two open windows do not share one frame counter.
struct SeriesWindow {
  HBITMAP figure = nullptr;
  HBITMAP title = nullptr;
  Size window;
  Size client;
  about::SeriesAnimation animation;
};

SeriesWindow* state_of(HWND dialog) {
  return reinterpret_cast<SeriesWindow*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

HBITMAP load_picture(int id) {
  return static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                         IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

Size size_of(HBITMAP bitmap) {
  BITMAP b{};
  if (!bitmap || !GetObjectW(bitmap, sizeof b, &b)) return {};
  return {b.bmWidth, b.bmHeight};
}

INT_PTR on_init(HWND dialog) {
  HBITMAP figure = load_picture(IDB_SERIES_FIGURE);
  HBITMAP title = load_picture(IDB_SERIES_TITLE);
  RECT w{};
  RECT c{};
  GetWindowRect(dialog, &w);
  GetClientRect(dialog, &c);
  const Size window{w.right - w.left, w.bottom - w.top};
  const Size client{c.right, c.bottom};
  auto* state =
      new SeriesWindow{figure, title, window, client,
                       about::SeriesAnimation(window, client, size_of(figure), size_of(title))};
  SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
  SetTimer(dialog, IDT_SERIES_FRAME_TIMER, about::kSeriesTimerMs, nullptr);
  return TRUE;
}

// Carries out one frame's operations on `surface`, a memory DC the size of the window whose
// bitmap is the 32-bit DIB `pixels`.
class FramePainter {
 public:
  FramePainter(HDC surface, about::PixelView pixels, HDC reference, const SeriesWindow& state)
      : surface_(surface), pixels_(pixels), reference_(reference), state_(state) {}

  void operator()(const about::FillWhite& op) const {
    const RECT r{op.area.x, op.area.y, op.area.x + op.area.width, op.area.y + op.area.height};
    FillRect(surface_, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }

  void operator()(const about::CopyPicture& op) const {
    HBITMAP picture = op.picture == about::Picture::figure ? state_.figure : state_.title;
    if (!picture) return;
    HDC source = CreateCompatibleDC(reference_);
    HGDIOBJ old = SelectObject(source, picture);
    StretchBlt(surface_, op.target.x, op.target.y, op.target.width, op.target.height, source,
               op.source.x, op.source.y, op.source.width, op.source.height, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
  }

  // GDI's PlgBlt would do, but Wine does not turn with it: the pixels are turned in place.
  void operator()(const about::RotateArea& op) const {
    GdiFlush();
    about::rotate_area(pixels_, op.area, op.corners);
  }

  void operator()(const about::TextLine& op) const {
    const std::wstring text = widen(op.text);
    TextOutW(surface_, op.at.x, op.at.y, text.c_str(), static_cast<int>(text.size()));
  }

 private:
  HDC surface_;
  about::PixelView pixels_;
  HDC reference_;
  const SeriesWindow& state_;
};

// The frame is composed off screen and shown whole, so the window never shows a half-drawn one.
void on_paint(HWND dialog, SeriesWindow& state) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(dialog, &ps);
  const auto ops = state.animation.next_frame();
  HDC surface = CreateCompatibleDC(dc);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = state.window.width;
  bi.bmiHeader.biHeight = -state.window.height;  // top row first
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP buffer = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!buffer) {
    DeleteDC(surface);
    EndPaint(dialog, &ps);
    return;
  }
  HGDIOBJ old_bitmap = SelectObject(surface, buffer);
  const about::PixelView pixels{static_cast<std::uint32_t*>(bits), state.window.width,
                                state.window.height};
  auto* font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
  HGDIOBJ old_font = font ? SelectObject(surface, font) : nullptr;
  SetStretchBltMode(surface, COLORONCOLOR);
  SetBkMode(surface, TRANSPARENT);
  SetTextColor(surface, RGB(0, 0, 0));
  SetBkColor(surface, RGB(255, 255, 255));
  const FramePainter painter(surface, pixels, dc, state);
  for (const about::DrawOp& op : ops) std::visit(painter, op);
  BitBlt(dc, 0, 0, state.client.width, state.client.height, surface, 0, 0, SRCCOPY);
  if (old_font) SelectObject(surface, old_font);
  SelectObject(surface, old_bitmap);
  DeleteObject(buffer);
  DeleteDC(surface);
  EndPaint(dialog, &ps);
}

void on_timer(HWND dialog, WPARAM id) {
  if (id != IDT_SERIES_FRAME_TIMER) return;
  InvalidateRect(dialog, nullptr, TRUE);
  UpdateWindow(dialog);
}

void on_destroy(HWND dialog) {
  KillTimer(dialog, IDT_SERIES_FRAME_TIMER);
  std::unique_ptr<SeriesWindow> state(state_of(dialog));
  SetWindowLongPtrW(dialog, DWLP_USER, 0);
  if (!state) return;
  if (state->figure) DeleteObject(state->figure);
  if (state->title) DeleteObject(state->title);
}

INT_PTR CALLBACK series_window_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  if (message == WM_INITDIALOG) return on_init(dialog);
  SeriesWindow* state = state_of(dialog);
  if (!state) return FALSE;
  switch (message) {
    case WM_TIMER:
      on_timer(dialog, wparam);
      return TRUE;
    case WM_ERASEBKGND:
      // Every paint covers the whole client area in white: erasing first would only flicker.
      SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 1);
      return TRUE;
    case WM_PAINT:
      on_paint(dialog, *state);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wparam) != IDC_SERIES_CLOSE) return FALSE;
      DestroyWindow(dialog);
      return TRUE;
    case WM_CLOSE:
      // A modeless dialog is destroyed, not ended: that also ends its timer.
      DestroyWindow(dialog);
      return TRUE;
    case WM_DESTROY:
      on_destroy(dialog);
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

HWND open_series_window(HWND owner) {
  HWND window = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SERIES), owner,
                                   guarded<series_window_proc>, 0);
  if (window) ShowWindow(window, SW_SHOWNORMAL);
  return window;
}

int series_window_frame(HWND window) {
  if (!IsWindow(window) || GetWindowLongPtrW(window, DWLP_DLGPROC) !=
                               reinterpret_cast<LONG_PTR>(guarded<series_window_proc>)) {
    return -1;
  }
  const SeriesWindow* state = state_of(window);
  return state ? state->animation.frame() : -1;
}

}  // namespace korvane::win
