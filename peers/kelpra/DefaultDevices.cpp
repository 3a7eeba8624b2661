// The devices the library offers when no configuration file names any.
#include "KelpraConfig.h"

namespace kelpra {
namespace {

// The document camera looks down on a desk area 10.88 inches wide, so its
// native DPI grows with the frame width (300 DPI at 3264 pixels).
FrameSize DeskSize(int width, int height) {
  return FrameSize{width, height, static_cast<int>(width * 100 / 1088)};
}

}  // namespace

std::vector<DeviceSpec> DefaultDevices() {
  DeviceSpec document;
  document.name = "Kelpra Document Camera";
  document.documents = 2;
  document.formats.push_back(
      VideoFormat{"MJPG",
                  {DeskSize(640, 480), DeskSize(1000, 1000), DeskSize(1280, 720),
                   DeskSize(1920, 1080), DeskSize(2592, 1944), DeskSize(3264, 2448)}});
  document.formats.push_back(
      VideoFormat{"YUY2", {DeskSize(640, 480), DeskSize(1280, 720), DeskSize(1920, 1080)}});
  return {document, DefaultWebcam("Kelpra Webcam")};
}

DeviceSpec DefaultWebcam(const std::string& name) {
  DeviceSpec webcam;
  webcam.name = name;
  webcam.documents = 1;
  webcam.formats.push_back(VideoFormat{"MJPG", {{640, 480, 96}, {1280, 720, 96}}});
  return webcam;
}

}  // namespace kelpra
