#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "about/series_animation.h"
#include "app.h"
#include "gui_driver.h"
#include "main_window_fixture.h"
#include "resource.h"
#include "series_window.h"
#include "version_box.h"

namespace korvane {
namespace {

using test::DialogDriver;

// 32-bit pixels (0x00RRGGBB) of a w x h area, top row first.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> data;
  std::uint32_t at(int x, int y) const {
    return data[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                static_cast<std::size_t>(x)] &
           0xFFFFFF;
  }
};

Pixels read_pixels(HDC source, int x, int y, int w, int h) {
  Pixels out{w, h, std::vector<std::uint32_t>(static_cast<std::size_t>(w) * h)};
  HDC mem = CreateCompatibleDC(source);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, dib);
  BitBlt(mem, 0, 0, w, h, source, x, y, SRCCOPY);
  GdiFlush();
  std::memcpy(out.data.data(), bits, out.data.size() * sizeof(std::uint32_t));
  SelectObject(mem, old);
  DeleteObject(dib);
  DeleteDC(mem);
  return out;
}

// The client area of a window as it is drawn now.
Pixels client_pixels(HWND hwnd) {
  RECT r{};
  GetClientRect(hwnd, &r);
  HDC dc = GetDC(hwnd);
  Pixels p = read_pixels(dc, 0, 0, r.right, r.bottom);
  ReleaseDC(hwnd, dc);
  return p;
}

Pixels resource_bitmap_pixels(int id) {
  HBITMAP bitmap = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                                   IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  BITMAP b{};
  GetObjectW(bitmap, sizeof b, &b);
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(mem, bitmap);
  Pixels p = read_pixels(mem, 0, 0, b.bmWidth, b.bmHeight);
  SelectObject(mem, old);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  DeleteObject(bitmap);
  return p;
}

// Pixels of `area` (at x, y of `whole`) that differ from `expected`.
int differences(const Pixels& whole, int x, int y, const Pixels& expected) {
  int n = 0;
  for (int j = 0; j < expected.height; ++j) {
    for (int i = 0; i < expected.width; ++i) {
      const int wx = x + i;
      const int wy = y + j;
      if (wx < 0 || wy < 0 || wx >= whole.width || wy >= whole.height ||
          whole.at(wx, wy) != expected.at(i, j)) {
        ++n;
      }
    }
  }
  return n;
}

int non_white(const Pixels& p) {
  int n = 0;
  for (std::uint32_t v : p.data) n += (v & 0xFFFFFF) != 0xFFFFFF;
  return n;
}

std::vector<HWND> windows_titled(const std::wstring& title) {
  struct Search {
    std::wstring title;
    std::vector<HWND> found;
  } search{title, {}};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND hwnd, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        if (IsWindowVisible(hwnd) && test::window_text(hwnd) == s->title) s->found.push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The real main window, opened on settings without a reference pair.
class AboutTest : public test::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    write_settings_file();
    ASSERT_TRUE(open_main_window());
  }
  void TearDown() override {
    if (HasFailure()) {
      for (HWND w : windows_titled(L"Tessilon")) test::save_failure_artifacts(w, "series_failure");
    }
    MainWindowTest::TearDown();
  }
};

TEST_F(AboutTest, VersionBoxOpensFromTheMenuShowsBitmap1AndClosesWithItsButton) {
  const Pixels picture = resource_bitmap_pixels(IDB_VERSION);
  ASSERT_EQ(picture.width, 200);
  ASSERT_EQ(picture.height, 200);
  std::atomic<int> wrong_pixels{-1};
  std::atomic<bool> button_below_picture{false};
  DialogDriver driver;
  driver.expect(L"バージョン情報", [&](HWND box) {
    // The box paints from its own thread: wait until the picture is there.
    int wrong = picture.width * picture.height;
    for (int tries = 0; tries < 250 && wrong != 0; ++tries) {
      wrong = differences(client_pixels(box), 0, 0, picture);
      if (wrong != 0) Sleep(20);
    }
    wrong_pixels = wrong;
    RECT button{};
    GetWindowRect(GetDlgItem(box, IDC_VERSION_CLOSE), &button);
    MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&button), 2);
    RECT client{};
    GetClientRect(box, &client);
    button_below_picture =
        button.top >= 200 && button.bottom <= client.bottom && client.right == 200;
    DialogDriver::press(IDC_VERSION_CLOSE)(box);
  });
  PostMessageW(main_, WM_COMMAND, MAKEWPARAM(IDM_VERSION, 0), 0);
  ASSERT_TRUE(test::pump_until([&] { return driver.all_handled(); }));
  ASSERT_TRUE(test::pump_until([&] { return windows_titled(L"バージョン情報").empty(); }));
  EXPECT_EQ(wrong_pixels, 0);
  EXPECT_TRUE(button_below_picture);
  EXPECT_EQ(driver.seen().size(), 1u);
  EXPECT_TRUE(IsWindowEnabled(main_));  // the modal loop has ended
}

TEST_F(AboutTest, VersionBoxCloseBoxEndsItWithResult1) {
  DialogDriver driver;
  driver.expect(L"バージョン情報", [](HWND box) { PostMessageW(box, WM_CLOSE, 0, 0); });
  EXPECT_EQ(win::run_version_box(main_), 1);
  EXPECT_TRUE(driver.all_handled());
}

// Saves what the user sees of the series window (frame included) when an artifacts folder is
// given: docs/screenshots/ holds a few of these.
void save_frame_shot(HWND series, int frame) {
  const char* dir = std::getenv("KORVANE_GUI_ARTIFACTS");
  if (!dir) return;
  const std::string name = std::string(dir) + "\\series_frame_" + std::to_string(frame) + ".bmp";
  test::save_window_bitmap(series, std::wstring(name.begin(), name.end()));
}

// Paints frames through the same path as the timer until `frame` is on the window.
void advance_to(HWND series, int frame) {
  const int next = frame == about::kSeriesLastFrame ? 0 : frame + 1;
  while (win::series_window_frame(series) != next) {
    SendMessageW(series, WM_TIMER, IDT_SERIES_FRAME_TIMER, 0);
  }
}

TEST_F(AboutTest, SeriesWindowAnimatesOnItsTimerDrawsTheFramesAndClosesWithItsTimer) {
  PostMessageW(main_, WM_COMMAND, MAKEWPARAM(IDM_SERIES, 0), 0);
  HWND series = nullptr;
  ASSERT_TRUE(test::pump_until([&] {
    const auto found = windows_titled(L"Tessilon");
    series = found.empty() ? nullptr : found[0];
    return series && win::series_window_frame(series) >= 1;
  }));
  EXPECT_EQ(test::class_name(series), L"#32770");
  EXPECT_EQ(GetWindow(series, GW_OWNER), main_);
  EXPECT_TRUE(IsWindowEnabled(main_));  // modeless
  EXPECT_EQ(win::series_window_frame(main_), -1);

  // The timer advances one frame per tick of 100 ms.
  const int first = win::series_window_frame(series);
  const ULONGLONG start = GetTickCount64();
  ASSERT_TRUE(
      test::pump_until([&] { return win::series_window_frame(series) >= first + 10; }, 10000));
  EXPECT_GE(GetTickCount64() - start, 800u);

  const Pixels figure = resource_bitmap_pixels(IDB_SERIES_FIGURE);
  RECT c{};
  GetClientRect(series, &c);
  const int x0 = (c.right - figure.width) / 2;
  const int y0 = (c.bottom - figure.height) / 2;

  // Finish the cycle, then play the next one from frame 0.
  advance_to(series, 372);
  EXPECT_EQ(non_white(client_pixels(series)), 0);
  advance_to(series, 0);
  EXPECT_EQ(non_white(client_pixels(series)), 0);
  advance_to(series, 1);  // shaken left of the centre, at its own size
  EXPECT_EQ(differences(client_pixels(series), x0 - 3, y0, figure), 0);
  save_frame_shot(series, 1);
  advance_to(series, 2);
  EXPECT_EQ(differences(client_pixels(series), x0 + 3, y0, figure), 0);
  advance_to(series, 136);
  EXPECT_EQ(differences(client_pixels(series), x0, y0, figure), 0);
  for (int frame : {60, 150, 222, 240}) {
    advance_to(series, frame);
    EXPECT_GT(non_white(client_pixels(series)), 500) << "frame " << frame;
    save_frame_shot(series, frame);
  }
  advance_to(series, 247);  // the title blinks off
  EXPECT_EQ(non_white(client_pixels(series)), 0);
  advance_to(series, 248);
  EXPECT_GT(non_white(client_pixels(series)), 500);
  advance_to(series, 320);  // the text has scrolled up
  EXPECT_GT(non_white(client_pixels(series)), 200);
  save_frame_shot(series, 320);

  PostMessageW(series, WM_CLOSE, 0, 0);
  ASSERT_TRUE(test::pump_until([&] { return !IsWindow(series); }));
  EXPECT_TRUE(IsWindow(main_));
}

TEST_F(AboutTest, EachSeriesCommandOpensAnotherWindowWithItsOwnAnimation) {
  PostMessageW(main_, WM_COMMAND, MAKEWPARAM(IDM_SERIES, 0), 0);
  ASSERT_TRUE(test::pump_until([&] { return windows_titled(L"Tessilon").size() == 1; }));
  HWND first = windows_titled(L"Tessilon")[0];
  advance_to(first, 100);
  PostMessageW(main_, WM_COMMAND, MAKEWPARAM(IDM_SERIES, 0), 0);
  ASSERT_TRUE(test::pump_until([&] { return windows_titled(L"Tessilon").size() == 2; }));
  auto both = windows_titled(L"Tessilon");
  HWND second = both[0] == first ? both[1] : both[0];
  ASSERT_TRUE(test::pump_until([&] { return win::series_window_frame(second) >= 3; }));
  // Each counts its own frames: the second starts at 0 while the first goes on past 100.
  EXPECT_GT(win::series_window_frame(first), 100);
  EXPECT_LT(win::series_window_frame(second), 50);
  SendMessageW(second, WM_COMMAND, MAKEWPARAM(IDC_SERIES_CLOSE, 0), 0);
  EXPECT_FALSE(IsWindow(second));
  const int before = win::series_window_frame(first);
  ASSERT_TRUE(test::pump_until([&] { return win::series_window_frame(first) > before; }));
}

}  // namespace
}  // namespace korvane
