// Paths from the window's dialogs become the core's Shift-JIS bytes exactly, or not at all.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>

#include "gui_driver.h"
#include "test_support.h"
#include "wide.h"

namespace korvane {
namespace {

using test::DialogDriver;

TEST(PathConversion, APathShiftJisCannotHoldIsRefusedWithItsName) {
  struct Case {
    std::wstring path;
    std::optional<std::string> bytes;
  };
  const Case cases[] = {
      {L"C:\\図面\\盤1.dxf", "C:\\" + test::sjis("図面") + "\\" + test::sjis("盤") + "1.dxf"},
      {L"C:\\caf\u00e9.dxf", std::nullopt},     // best fit would make it "cafe.dxf"
      {L"C:\\\u20ac\\a.dxf", std::nullopt},     // the euro sign has no Shift-JIS form
      {L"C:\\\u2460.dxf", "C:\\\x87\x40.dxf"},  // circled one is in code page 932
  };
  for (const Case& c : cases) {
    EXPECT_EQ(win::narrow_exactly(c.path), c.bytes);
    DialogDriver driver;
    if (!c.bytes) driver.expect(L"ﾌｧｲﾙｴﾗｰ", DialogDriver::press(IDOK));
    EXPECT_EQ(win::path_from_wide(nullptr, c.path), c.bytes);
    ASSERT_TRUE(driver.all_handled());
    if (!c.bytes) {
      ASSERT_EQ(driver.seen().size(), 1u);
      EXPECT_EQ(driver.seen()[0].text,
                L"ファイル名にShift-JISで表せない文字があります。\n" + c.path);
    } else {
      EXPECT_TRUE(driver.seen().empty());
    }
  }
}

}  // namespace
}  // namespace korvane
