// Sizes of the thumbnail list's pictures: the cell every thumbnail fills,
// and how one picture is scaled and centred in it.
#pragma once

#include <cstdint>

#include "platform/Imaging.h"
#include "platform/Ui.h"

namespace thumbnails {

struct CellSize {
  int width = 1;
  int height = 1;
};

// The cell of a list whose client area is `clientWidth` pixels wide: 60
// pixels (at 96 DPI, more at a higher `dpi`) narrower than the list, three
// quarters as high (the width is divided by 4 first). No side is below 1
// pixel, however narrow the list.
CellSize CellForClientWidth(int clientWidth, int dpi = platform::kDefaultDpi);

// How a picture of `source` size fills `cell`: the fast thumbnail keeps the
// picture's aspect at the cell's height (portrait) or width (otherwise),
// then it is scaled to fit the cell and centred. Products are taken in 64
// bits so that very wide or tall pictures cannot overflow; no side of the
// thumbnail is below 1 pixel.
platform::ThumbnailLayout LayoutFor(CellSize cell, platform::ImageSize source);

}  // namespace thumbnails
