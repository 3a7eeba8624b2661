// One shot of a simulated camera: render the desk, process, write files.
#pragma once

#include <string>
#include <vector>

#include "Scene.h"
#include "Watermark.h"

namespace kelpra {

enum CropMode { kCropNone = 0, kCropSingle = 1, kCropMultiple = 2 };

// The image options a device holds, as the capture window last sent them.
struct ImageOptions {
  int rotation = 0;  // quarter turns clockwise, 0..3
  int colourStyle = 0;
  int adjustment = 0;
  int autoCrop = kCropNone;
  bool customCrop = false;  // the custom rectangle wins over automatic crop
  int cropLeft = 0, cropTop = 0, cropRight = 100, cropBottom = 100;  // percent
  bool fillBorder = false;
  WatermarkOptions watermark;
};

struct CaptureRequest {
  SceneLayout layout;
  int width = 0;
  int height = 0;
  int dpiX = 96;
  int dpiY = 96;
  ImageOptions options;
};

// Writes the picture to path in the format of its extension. A multiple
// crop of a desk with several documents writes one file per document, named
// path with "_1", "_2", ... before the extension; written lists every file
// in order. Returns kOk or a failure code; on failure no file is left.
int32_t CapturePictures(const CaptureRequest& request, const std::string& path,
                        std::vector<std::string>& written);

}  // namespace kelpra
