// The board clips arrow ends with the rounding of the system's MulDiv; its platform-free
// version must give the same answers, failures included.
#include <windows.h>

#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "screenshot/board/shape_geometry.h"

namespace {

TEST(BoardMulDiv, AgreesWithTheSystemsMulDiv) {
  std::mt19937 rng(77);
  std::uniform_int_distribution<int> small(-40000, 40000),
      any(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
  for (int i = 0; i < 200000; ++i) {
    const bool wide = i % 4 == 0;
    const int a = wide ? any(rng) : small(rng), b = wide ? any(rng) : small(rng);
    const int c = i % 97 == 0 ? 0 : (wide ? any(rng) : small(rng));
    ASSERT_EQ(MulDivRound(a, b, c), MulDiv(a, b, c)) << a << " * " << b << " / " << c;
  }
  for (int c : {2, -2, 3, -3})
    for (int a = -9; a <= 9; ++a) ASSERT_EQ(MulDivRound(a, 1, c), MulDiv(a, 1, c)) << a << "/" << c;
}

}  // namespace
