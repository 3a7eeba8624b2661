// The simulated devices and everything the capture window set on them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "AutoCapture.h"
#include "Capture.h"
#include "KelpraConfig.h"
#include "Preview.h"

namespace kelpra {

struct Device {
  DeviceSpec model;
  SceneLayout layout;
  bool open = false;
  int format = 0;
  int width = 0;
  int height = 0;
  int dpiOverrideX = 0;  // 0: the native DPI of the current size
  int dpiOverrideY = 0;
  ImageOptions options;
  int32_t window = 0;
  PreviewView view;
  std::unique_ptr<Preview> preview;
  std::shared_ptr<AutoCaptureRun> autoCapture;

  // Native DPI of the current frame size.
  int NativeDpi() const;
  int DpiX() const { return dpiOverrideX > 0 ? dpiOverrideX : NativeDpi(); }
  int DpiY() const { return dpiOverrideY > 0 ? dpiOverrideY : NativeDpi(); }
  // Index of width x height in format, or -1.
  int FindSize(int formatIndex, int w, int h) const;
  bool ValidFormat(int formatIndex) const {
    return formatIndex >= 0 && formatIndex < static_cast<int>(model.formats.size());
  }
  // What a capture needs, copied so that the shot can run without the lock.
  CaptureRequest MakeCaptureRequest() const;
  // Sends the current picture and view to the preview, if there is one.
  void RefreshPreview();
};

// A closed device at the first size of its first format.
std::unique_ptr<Device> MakeDevice(const DeviceSpec& model);

}  // namespace kelpra
