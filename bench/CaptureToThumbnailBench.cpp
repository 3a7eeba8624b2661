// From the end of the camera library's shot to the thumbnail in the list:
// the real capture window on the headless platform, with the reference
// camera library writing 21-megapixel BMPs. The library's capture export is
// reached through a wrapper that notes when the shot returns; the time
// counted is everything the program does after that until the list shows
// the new item (the header read, the thumbnail, the hand-off record, the
// posted insert).
//
//   CaptureToThumbnailBench [SHOTS]
#include <sys/stat.h>

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
#include "settings/SettingsFile.h"
#include "support/DataSourceTwin.h"
#include "support/ProgramFolder.h"

namespace {

using Clock = std::chrono::steady_clock;
using CaptureExport = int32_t (*)(int32_t, char*);

CaptureExport g_capture = nullptr;
Clock::time_point g_shotEnd;

int32_t TimedCapture(int32_t device, char* path) {
  const int32_t result = g_capture(device, path);
  if (result != 0) std::fprintf(stderr, "CaptureToThumbnailBench: the library refused the shot (%d) of %s\n", result, path);
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
  // One camera whose largest size is the frame-size list's "21MP",
  // 5376 x 4032, chosen in the last session.
  program.WriteFile("Kelpra.ini",
                    "[Device]\nName=Bench Camera\nDpi=300\nDocuments=1\nFormat=MJPG\n"
                    "Size=640x480\nSize=5376x4032\n");
  settings::SessionSettings saved;
  saved.DPI.MainWidth = 5376;
  saved.DPI.MainHeight = 4032;
  saved.cutType = 0;  // the whole frame, no cropping to the document
  saved.fileType = 0;
  if (!settings::SaveSessionSettingsFile(os, program.File("LastSetting.xml").string(), saved)) {
    std::fprintf(stderr, "CaptureToThumbnailBench: the settings could not be written\n");
    return 1;
  }
  testing_support::DataSourceTwin dataSource{desktop};
  CTessivueDlg dialog(platform);

  std::vector<double> times;
  long long fileBytes = 0;
  bool failed = false;
  for (int shot = 0; shot < shots; ++shot) {
    ui.AddStep([&, shot] {
      headless::HeadlessWindow* window = ui.LastModal(IDD_CAPTURE_WINDOW);
      const int before = dialog.Thumbnails().GetItemCount();
      g_shotEnd = Clock::time_point{};
      if (window == nullptr || !window->UserClick(IDC_CAPTURE)) {
        std::fprintf(stderr, "CaptureToThumbnailBench: no capture window to click in\n");
        failed = true;
        return;
      }
      // The list's insert was posted; the window runs it next, as its
      // message loop would.
      ui.RunPostedTasks();
      const Clock::time_point shown = Clock::now();
      if (dialog.Thumbnails().GetItemCount() != before + 1 || g_shotEnd == Clock::time_point{}) {
        std::fprintf(stderr, "CaptureToThumbnailBench: shot %d: %d items (were %d), shot %s\n",
                     shot, dialog.Thumbnails().GetItemCount(), before,
                     g_shotEnd == Clock::time_point{} ? "not taken" : "taken");
        failed = true;
        return;
      }
      const std::optional<platform::ImageSize> size =
          imaging.ReadImageSize(dialog.Pipeline().CurrentFile());
      if (!size || size->width != 5376 || size->height != 4032) {
        std::fprintf(stderr, "CaptureToThumbnailBench: the shot is %u x %u, not 5376 x 4032\n",
                     size ? size->width : 0, size ? size->height : 0);
        failed = true;
        return;
      }
      times.push_back(std::chrono::duration<double, std::milli>(shown - g_shotEnd).count());
      struct stat info {};
      if (::stat(headless::NativePath(os.WideToUtf8(dialog.Pipeline().CurrentFile())).c_str(),
                 &info) == 0) {
        fileBytes = static_cast<long long>(info.st_size);
      }
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
  std::printf("Capture to thumbnail, 21 MP BMP (5376x4032, %.1f MB), from the library's shot "
              "returning to the item in the list: median %.1f ms of %zu shots (each:",
              fileBytes / 1e6, sorted[sorted.size() / 2], times.size());
  for (double t : times) std::printf(" %.1f", t);
  std::printf(")\n");
  return 0;
}
