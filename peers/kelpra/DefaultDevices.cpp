// The devices the library offers when no configuration file names any.
#include "KelpraConfig.h"

namespace kelpra {
namespace {

// The document camera looks down on a desk area 21.33 inches wide, so its
// native DPI grows with the frame width: 300 at the full 6400 pixels, 30 at
// 640 (width x 3 / 64, truncated).
FrameSize DeskSize(int width, int height) {
  return FrameSize{width, height, width * 3 / 64};
}

}  // namespace

// The document camera lists its sizes smallest first. Between the labelled
// sizes it offers one that no label names (1000 x 1000), two that share a
// label (800 x 600 and 1024 x 768) and its full size, larger than any label.
std::vector<DeviceSpec> DefaultDevices() {
  DeviceSpec document;
  document.name = "Kelpra Document Camera";
  document.documents = 2;
  document.formats.push_back(
      VideoFormat{"MJPG",
                  {DeskSize(640, 480), DeskSize(800, 600), DeskSize(1000, 1000),
                   DeskSize(1024, 768), DeskSize(1280, 720), DeskSize(1920, 1080),
                   DeskSize(2592, 1944), DeskSize(3264, 2448), DeskSize(6400, 4800)}});
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
