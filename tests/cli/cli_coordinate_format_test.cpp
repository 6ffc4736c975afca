// The coordinates texts prints: std::to_chars must give the text of printf("%.17g") for every
// value, which is what the command promises.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "commands.h"

namespace korvane::cli {
namespace {

std::string printf_17g(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.17g", value);
  return buffer;
}

std::string to_chars_17g(double value) {
  std::string out = "x";  // appended to, never replaced
  append_coordinate(value, out);
  return out.substr(1);
}

TEST(CliCoordinateFormat, ToCharsGivesThePrintfText) {
  std::vector<double> values = {0.0,
                                -0.0,
                                1.0,
                                -1.0,
                                0.1,
                                0.5,
                                2.5,
                                840.0,
                                -15.0,
                                100.25,
                                1e16,
                                1e17,
                                123456789012345678.0,
                                9007199254740993.0,
                                1e-5,
                                1e-4,
                                1e-300,
                                DBL_MIN,
                                std::numeric_limits<double>::denorm_min(),
                                DBL_MAX,
                                -DBL_MAX,
                                std::nextafter(1.0, 2.0),
                                std::nextafter(0.1, 0.0)};
  for (int e = -320; e <= 308; ++e) values.push_back(std::pow(10.0, e));
  std::mt19937_64 rng(3);
  for (int i = 0; i < 100000; ++i) {
    // Any finite bit pattern, coordinates as drawings hold them, and whole numbers.
    std::uint64_t bits = rng();
    double any = 0.0;
    std::memcpy(&any, &bits, sizeof any);
    if (std::isfinite(any)) values.push_back(any);
    values.push_back(std::uniform_real_distribution<double>(-1000.0, 1000.0)(rng));
    values.push_back(static_cast<double>(static_cast<std::int64_t>(rng() >> (rng() % 64))));
  }
  for (const double value : values) {
    ASSERT_EQ(to_chars_17g(value), printf_17g(value)) << printf_17g(value);
  }
}

}  // namespace
}  // namespace korvane::cli
