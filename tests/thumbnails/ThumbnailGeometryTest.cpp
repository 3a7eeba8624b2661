// The cell every thumbnail fills and the way one picture is fitted into it.
#include <gtest/gtest.h>

#include <tuple>

#include "thumbnails/ThumbnailGeometry.h"

using platform::Rect;
using thumbnails::CellForClientWidth;
using thumbnails::LayoutFor;

TEST(ThumbnailCell, IsSixtyPixelsNarrowerThanTheListThreeQuartersAsHighAndNeverEmpty) {
  // The width is divided by 4 first: 90 / 4 = 22, times 3. At 192 DPI the
  // margin is 120 pixels.
  const struct {
    int clientWidth, dpi, width, height;
  } cases[] = {{150, 96, 90, 66}, {190, 96, 130, 96}, {64, 96, 4, 3}, {63, 96, 3, 1},
               {61, 96, 1, 1},    {60, 96, 1, 1},     {0, 96, 1, 1},  {150, 192, 30, 21}};
  for (const auto& c : cases) {
    const thumbnails::CellSize cell = CellForClientWidth(c.clientWidth, c.dpi);
    EXPECT_EQ(cell.width, c.width) << c.clientWidth << " at " << c.dpi;
    EXPECT_EQ(cell.height, c.height) << c.clientWidth << " at " << c.dpi;
  }
}

TEST(ThumbnailLayout, TakesTheCellWidthOrForPortraitItsHeightThenFitsAndCentres) {
  const struct {
    thumbnails::CellSize cell;
    platform::ImageSize source;
    int scaledWidth, scaledHeight;
    Rect placement;
  } cases[] = {
      // 67.5 truncated is one row too high: 66/67 of 90 x 67 is 88.66 x 66.
      {{90, 66}, {4000, 3000}, 90, 67, {1, 0, 89, 66}},
      {{90, 66}, {3000, 4000}, 49, 66, {20, 0, 69, 66}},
      {{90, 66}, {500, 500}, 90, 90, {12, 0, 78, 66}},
      // Products beyond 32 bits.
      {{2000, 1500}, {4000000, 3000000}, 2000, 1500, {0, 0, 2000, 1500}},
      {{2000, 1500}, {3000000, 4000000}, 1125, 1500, {437, 0, 1562, 1500}},
      // An extreme aspect keeps one pixel of the picture; so does a cell of one.
      {{90, 66}, {4000000000u, 1}, 90, 1, {0, 32, 90, 33}},
      {{90, 66}, {1, 4000000000u}, 1, 66, {44, 0, 45, 66}},
      {{1, 1}, {4000, 3000}, 1, 1, {0, 0, 1, 1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.source.width) + " x " + std::to_string(c.source.height));
    const platform::ThumbnailLayout layout = LayoutFor(c.cell, c.source);
    EXPECT_EQ(std::tie(layout.cellWidth, layout.cellHeight, layout.scaledWidth, layout.scaledHeight,
                       layout.placement),
              std::tie(c.cell.width, c.cell.height, c.scaledWidth, c.scaledHeight, c.placement));
  }
}
