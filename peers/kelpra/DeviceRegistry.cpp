// Device state helpers.
#include "DeviceRegistry.h"

namespace kelpra {

int Device::NativeDpi() const {
  if (ValidFormat(format)) {
    for (const FrameSize& size : model.formats[format].sizes) {
      if (size.width == width && size.height == height) return size.dpi;
    }
  }
  return 96;
}

int Device::FindSize(int formatIndex, int w, int h) const {
  if (!ValidFormat(formatIndex)) return -1;
  const std::vector<FrameSize>& sizes = model.formats[formatIndex].sizes;
  for (size_t i = 0; i < sizes.size(); ++i) {
    if (sizes[i].width == w && sizes[i].height == h) return static_cast<int>(i);
  }
  return -1;
}

CaptureRequest Device::MakeCaptureRequest() const {
  CaptureRequest request;
  request.layout = layout;
  request.width = width;
  request.height = height;
  request.dpiX = DpiX();
  request.dpiY = DpiY();
  request.options = options;
  return request;
}

void Device::RefreshPreview() {
  if (!preview) return;
  PreviewPicture picture;
  picture.layout = layout;
  picture.frameWidth = width;
  picture.frameHeight = height;
  picture.rotation = options.rotation;
  picture.live = open;
  picture.view = view;
  preview->Update(picture);
}

std::unique_ptr<Device> MakeDevice(const DeviceSpec& model) {
  auto device = std::make_unique<Device>();
  device->model = model;
  device->layout = MakeSceneLayout(model.documents);
  if (!model.formats.empty() && !model.formats[0].sizes.empty()) {
    device->width = model.formats[0].sizes[0].width;
    device->height = model.formats[0].sizes[0].height;
  }
  return device;
}

}  // namespace kelpra
