// Rectangle geometry: the part two rectangles share, the area that holds both, and design pixels
// scaled to a monitor's DPI.
#include <gtest/gtest.h>

#include "base/Rect.h"

TEST(Rect, IntersectAndUnion) {
  struct TCase {
    TRect A, B, Both, Either;
  };
  const TRect cell{0, 0, 100, 50};
  const TCase cases[] = {
      {{-10, 5, 30, 100}, cell, {0, 5, 20, 45}, {-10, 0, 110, 105}},
      {{90, 40, 30, 30}, cell, {90, 40, 10, 10}, {0, 0, 120, 70}},
      {{100, 0, 5, 5}, cell, {}, {0, 0, 105, 50}},  // touching: nothing shared
      {{0, 0, 0, 5}, cell, {}, cell},                // empty: adds nothing
      {{}, {3, 4, 1, 1}, {}, {3, 4, 1, 1}},
      {{INT32_MAX - 1, 0, 1, 1}, {INT32_MAX - 2, 0, 2, 2}, {INT32_MAX - 1, 0, 1, 1}, {INT32_MAX - 2, 0, 2, 2}},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(Intersect(c.A, c.B), c.Both) << c.A.Left << "," << c.A.Top;
    EXPECT_EQ(Intersect(c.B, c.A), c.Both) << c.A.Left << "," << c.A.Top;
    EXPECT_EQ(Union(c.A, c.B), c.Either) << c.A.Left << "," << c.A.Top;
  }
}

TEST(Rect, ScalesToTheNearestPixelWithHalvesAwayFromZero) {
  struct TCase {
    int32_t Design, Dpi, Scaled;
  };
  const TCase cases[] = {
      {513, 96, 513}, {513, 144, 770}, {401, 144, 602},  // 769.5 and 601.5 round up
      {13, 120, 16},  {13, 144, 20},   {1, 144, 2},      {1, 120, 1}, {5, 125, 7},
      {-3, 144, -5},  {0, 288, 0},     {486, 192, 972},
  };
  for (const TCase& c : cases) EXPECT_EQ(ScaleToDpi(c.Design, c.Dpi), c.Scaled) << c.Design << " at " << c.Dpi;
  EXPECT_EQ(ScaleToDpi(TRect{1, 1, 1, 1}, 144), (TRect{2, 2, 1, 1}));  // edges 1.5 and 3: its size is not scaled
}
