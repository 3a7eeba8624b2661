// From the end of the camera library's shot to the thumbnail in the list:
// the real capture window on the headless platform, with the reference
// camera library writing 21-megapixel BMPs. The library's capture export is
// reached through a wrapper that notes when the shot returns; the time
// counted is everything the program does after that until the list shows
// the new item (the header read, the thumbnail, the hand-off record, the
// posted insert).
//
//   CaptureToThumbnailBench [SHOTS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "capturewindow/CTessivueDlg.h"
#include "platform/headless/HeadlessPlatform.h"
#include "resource.h"
#include "support/DataSourceTwin.h"
#include "support/ProgramFolder.h"

namespace {

using Clock = std::chrono::steady_clock;
using CaptureExport = int32_t (*)(int32_t, char*);

CaptureExport g_capture = nullptr;
Clock::time_point g_shotEnd;

int32_t TimedCapture(int32_t device, char* path) {
  const int32_t result = g_capture(device, path);
  g_shotEnd = Clock::now();
  return result;
}

// The native OS, with the library's capture export wrapped.
class TimingOs : public headless::HeadlessOs {
 public:
  void* ResolveSymbol(void* module, const char* name) override {
    void* symbol = headless::HeadlessOs::ResolveSymbol(module, name);
    if (symbol == nullptr || std::strcmp(name, "camCaptureImageFile") != 0) return symbol;
    g_capture = reinterpret_cast<CaptureExport>(symbol);
    return reinterpret_cast<void*>(&TimedCapture);
  }
};

}  // namespace

int main(int argc, char** argv) {
  const int shots = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  headless::HeadlessDesktop desktop;
  TimingOs os;
  headless::HeadlessUi ui{desktop};
  headless::HeadlessLink link{desktop};
  headless::HeadlessImaging imaging;
  platform::Platform platform{os, ui, link, imaging};
  testing_support::ProgramFolder program(os);
  // One camera whose only frame size is 5616 x 3744.
  program.WriteFile("Kelpra.ini",
                    "[Device]\nName=Bench Camera\nDpi=300\nDocuments=1\nFormat=MJPG\n"
                    "Size=5616x3744\n");
  testing_support::DataSourceTwin dataSource{desktop};
  CTessivueDlg dialog(platform);

  std::vector<double> times;
  bool failed = false;
  for (int shot = 0; shot < shots; ++shot) {
    ui.AddStep([&] {
      headless::HeadlessWindow* window = ui.LastModal(IDD_CAPTURE_WINDOW);
      const int before = dialog.Thumbnails().GetItemCount();
      g_shotEnd = Clock::time_point{};
      if (window == nullptr || !window->UserClick(IDC_CAPTURE)) {
        failed = true;
        return;
      }
      // The list's insert was posted; the window runs it next, as its
      // message loop would.
      ui.RunPostedTasks();
      const Clock::time_point shown = Clock::now();
      if (dialog.Thumbnails().GetItemCount() != before + 1 || g_shotEnd == Clock::time_point{}) {
        failed = true;
        return;
      }
      times.push_back(std::chrono::duration<double, std::milli>(shown - g_shotEnd).count());
    });
  }
  // The window closes once its steps have run.
  dialog.DoModal();
  if (failed || times.empty()) {
    std::fprintf(stderr, "CaptureToThumbnailBench: a capture did not reach the list\n");
    return 1;
  }
  std::vector<double> sorted = times;
  std::sort(sorted.begin(), sorted.end());
  std::printf("Capture to thumbnail, 21 MP BMP (5616x3744), from the library's shot returning "
              "to the item in the list: median %.1f ms of %zu shots (each:",
              sorted[sorted.size() / 2], times.size());
  for (double t : times) std::printf(" %.1f", t);
  std::printf(")\n");
  return 0;
}
