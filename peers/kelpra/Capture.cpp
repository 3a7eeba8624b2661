// The capture pipeline: scene, crop, edge fill, colour, rotation, watermark,
// encoder.
#include "Capture.h"

#include <algorithm>
#include <cstdio>

#include "FileNames.h"
#include "ImageCodec.h"
#include "ImageOps.h"
#include "KelpraErrors.h"

namespace kelpra {
namespace {

// One output picture cut from the frame at region.
int32_t WriteRegion(const CaptureRequest& request, const Image& frame,
                    const std::vector<PixelRect>& documents, PixelRect region,
                    const std::string& path) {
  const ImageOptions& options = request.options;
  Image picture = Crop(frame, region);
  if (picture.Empty()) return kErrBadArgument;
  if (options.fillBorder) {
    std::vector<PixelRect> keep;
    for (const PixelRect& d : documents) {
      keep.push_back(PixelRect{d.left - region.left, d.top - region.top, d.right - region.left,
                               d.bottom - region.top});
    }
    FillOutside(picture, keep);
  }
  picture = ApplyColourStyle(picture, options.colourStyle, options.adjustment);
  picture = Rotate(picture, options.rotation);
  const bool quarterTurn = options.rotation % 2 != 0;
  const int dpiX = quarterTurn ? request.dpiY : request.dpiX;
  const int dpiY = quarterTurn ? request.dpiX : request.dpiY;
  DrawWatermark(picture, options.watermark, dpiY, options.colourStyle == kStyleBlackWhite);
  return WriteImageFile(path, picture, dpiX, dpiY);
}

// The largest document, for a single automatic crop.
PixelRect LargestDocument(const std::vector<PixelRect>& documents) {
  PixelRect best;
  int64_t bestArea = -1;
  for (const PixelRect& d : documents) {
    const int64_t area = static_cast<int64_t>(d.Width()) * d.Height();
    if (area > bestArea) {
      best = d;
      bestArea = area;
    }
  }
  return best;
}

}  // namespace

int32_t CapturePictures(const CaptureRequest& request, const std::string& path,
                        std::vector<std::string>& written) {
  written.clear();
  if (request.width <= 0 || request.height <= 0) return kErrBadArgument;
  const std::string ext = LowerExtension(path);
  if (ext != ".bmp" && ext != ".jpg" && ext != ".jpeg" && ext != ".png" && ext != ".tif" &&
      ext != ".tiff")
    return kErrUnsupported;

  const Image frame = RenderScene(request.layout, request.width, request.height);
  const std::vector<PixelRect> documents =
      DocumentRects(request.layout, request.width, request.height);
  const PixelRect whole{0, 0, request.width, request.height};
  const ImageOptions& options = request.options;
  // A thin strip of desk stays around a cropped document.
  const int margin = std::max(2, std::min(request.width, request.height) / 100);

  std::vector<PixelRect> regions;
  if (options.customCrop) {
    const PixelRect rect = PercentRect(options.cropLeft, options.cropTop, options.cropRight,
                                       options.cropBottom, request.width, request.height);
    regions.push_back(rect.Empty() ? whole : rect);
  } else if (options.autoCrop == kCropSingle && !documents.empty()) {
    regions.push_back(Grow(LargestDocument(documents), margin, request.width, request.height));
  } else if (options.autoCrop == kCropMultiple && !documents.empty()) {
    for (const PixelRect& d : documents)
      regions.push_back(Grow(d, margin, request.width, request.height));
  } else {
    regions.push_back(whole);
  }

  if (regions.size() == 1) {
    const int32_t result = WriteRegion(request, frame, documents, regions[0], path);
    if (result == kOk) written.push_back(path);
    return result;
  }
  for (size_t i = 0; i < regions.size(); ++i) {
    const std::string name = NumberedName(path, static_cast<int>(i) + 1);
    const int32_t result = WriteRegion(request, frame, documents, regions[i], name);
    if (result != kOk) {
      for (const std::string& done : written) std::remove(NativePath(done).c_str());
      written.clear();
      return result;
    }
    written.push_back(name);
  }
  return kOk;
}

}  // namespace kelpra
