// The reference camera library loaded by the product's own means: LoadLibraryA
// from the program's folder, GetProcAddress, and the 32-bit cdecl calls.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "KelpraErrors.h"
#include "KelpraRemoteHooks.h"
#include "camera/CameraCallbacks.h"
#include "camera/CameraLibrary.h"
#include "support/KelpraHooks.h"
#include "support/QueueUi.h"
#include "support/RecordingOs.h"
#include "support/SampleArguments.h"
#include "support/TestFolder.h"
#include "platform/win32/Win32Os.h"

namespace {

namespace fs = std::filesystem;
using camera::CameraLibrary;
using camera::kMissingExport;
using testing_support::KelpraHooks;

// The first bytes of a file, or "" when it cannot be read.
std::string FileStart(const fs::path& file, size_t count) {
  std::ifstream in(file, std::ios::binary);
  std::string bytes(count, '\0');
  in.read(&bytes[0], static_cast<std::streamsize>(count));
  return in ? bytes : std::string();
}

// The thread the library last called the device-change callback on.
std::atomic<DWORD> g_deviceChangeThread{0};
int32_t CAM_CALL RecordDeviceChangeThread(int32_t) {
  g_deviceChangeThread = GetCurrentThreadId();
  return 1;
}

// The library's hook window in this process, found as another process
// finds it.
HWND HookWindowOfThisProcess() {
  HWND window = nullptr;
  while ((window = FindWindowExW(HWND_MESSAGE, window, kKelpraRemoteHookClass, nullptr))) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == GetCurrentProcessId()) return window;
  }
  return nullptr;
}

class KelpraOnWindows : public ::testing::Test {
 protected:
  // A file beside this program, as the product finds the library beside itself.
  std::string BesideProgram(const char* file) const {
    const std::string module = os.ModuleFileName().value_or("");
    return module.substr(0, module.rfind('\\')) + "\\" + file;
  }

  testing_support::TestFolder folder;
  win32::Win32Os real;
  testing_support::RecordingOs os{real};
};

TEST_F(KelpraOnWindows, EveryExportIsFoundOnceAndGetsItsArgumentsUnchanged) {
  CameraLibrary library(os);
  ASSERT_TRUE(library.Load(BesideProgram("Kelpra.dll"))) << BesideProgram("Kelpra.dll");
  KelpraHooks hooks(library);
  ASSERT_TRUE(hooks.ClearCallLog());
  os.resolvedNames.clear();

  // Twice: the second round runs from the cache alone.
  for (int round = 0; round < 2; ++round) {
    testing_support::SampleArguments samples(folder.String());
    const std::string expected = testing_support::CallEveryExport(
        library, samples,
        [](const char* name, int32_t result) { EXPECT_NE(result, kMissingExport) << name; },
        [](const char*, const char*) {});
    EXPECT_EQ(hooks.CallLog(), expected);
    ASSERT_TRUE(hooks.ClearCallLog());
  }
#define EXPECT_RESOLVED_ONCE(name, params, args) EXPECT_EQ(os.ResolveCount(#name), 1u) << #name;
  CAMERA_INT_EXPORTS(EXPECT_RESOLVED_ONCE)
  CAMERA_STRING_EXPORTS(EXPECT_RESOLVED_ONCE)
#undef EXPECT_RESOLVED_ONCE
}

TEST_F(KelpraOnWindows, MissingLibraryAndMissingExportsFailWithoutCalling) {
  CameraLibrary library(os);
  EXPECT_FALSE(library.Load(BesideProgram("NoSuchLibrary.dll")));
  EXPECT_EQ(os.standardOutput, "LoadLibrary failed\n");
  EXPECT_EQ(library.camInitCameraLib(), kMissingExport);
  EXPECT_EQ(library.camGetDevName(0), nullptr);

  ASSERT_TRUE(library.Load(BesideProgram("KelpraPartial.dll")));
  ASSERT_EQ(library.camInitCameraLib(), 0);
  ASSERT_EQ(library.camOpenDev(0, 0, 640, 480), 0);
  EXPECT_EQ(library.camZooIn(0), kMissingExport);
  EXPECT_EQ(library.camZooIn(0), kMissingExport);
  EXPECT_EQ(os.ResolveCount("camZooIn"), 2u);
  EXPECT_EQ(library.camStartAutoCapture(0, 1, 5, &testing_support::SampleCallback),
            kMissingExport);
  EXPECT_EQ(library.camZoomOut(0), 0);
  EXPECT_EQ(library.camStopAutoCapture(0), 0);
  EXPECT_EQ(library.camUnInitCameraLib(), 0);
}

TEST_F(KelpraOnWindows, ASessionFromStartUpToCapturedFiles) {
  testing_support::QueueUi ui;
  camera::CameraCallbacks callbacks(ui);
  CameraLibrary library(os);
  ASSERT_TRUE(library.Load(BesideProgram("Kelpra.dll")));
  KelpraHooks hooks(library);
  ASSERT_TRUE(hooks.ClearCallLog());
  int deviceChanges = 0;

  EXPECT_EQ(library.camRegCallBackDeviceChange(
                callbacks.SetDeviceChangeHandler([&] { ++deviceChanges; })),
            0);
  ASSERT_EQ(library.camInitCameraLib(), 0);
  const std::string work = folder.Path().string() + "\\\\Dorvel";
  EXPECT_EQ(library.camCreateDirectory(work.c_str()), 0);
  EXPECT_TRUE(fs::is_directory(folder.Path() / "Dorvel"));

  int32_t devices = 0;
  EXPECT_EQ(library.camGetDevCount(&devices), 0);
  ASSERT_GE(devices, 1);
  const char* deviceName = library.camGetDevName(0);
  ASSERT_NE(deviceName, nullptr);
  EXPECT_GT(std::strlen(deviceName), 0u);
  (void)library.camCloseDev(-1);
  ASSERT_EQ(library.camOpenDev(0, 0, 640, 480), 0);
  EXPECT_EQ(library.camSetPreviewWindow(0, 0), 0);

  int32_t formats = 0, sizes = 0, width = 0, height = 0;
  EXPECT_EQ(library.camGetMediaTypeCount(0, &formats), 0);
  ASSERT_GE(formats, 1);
  ASSERT_NE(library.camGetMediaTypeName(0, 0), nullptr);
  EXPECT_EQ(library.camSetMediaType(0, 0), 0);
  EXPECT_EQ(library.camGetResolutionCount(0, 0, &sizes), 0);
  ASSERT_GE(sizes, 2);
  EXPECT_EQ(library.camGetResolution(0, 0, 1, &width, &height), 0);
  ASSERT_GT(width, 0);
  EXPECT_EQ(library.camSetResolution(0, width, height), 0);
  int32_t format = -1, currentWidth = 0, currentHeight = 0;
  EXPECT_EQ(library.camGetCurResolution(0, &format, &currentWidth, &currentHeight), 0);
  EXPECT_EQ(format, 0);
  EXPECT_EQ(currentWidth, width);
  EXPECT_EQ(currentHeight, height);
  int32_t dpiX = 0, dpiY = 0;
  EXPECT_EQ(library.camSetImageDPI(0, 250, 260), 0);
  EXPECT_EQ(library.camGetImageDPI(0, &dpiX, &dpiY), 0);
  EXPECT_EQ(dpiX, 250);
  EXPECT_EQ(dpiY, 260);

  EXPECT_EQ(library.camZooIn(0), 0);
  EXPECT_EQ(library.camZoomOut(0), 0);
  EXPECT_EQ(library.camOriginalPreview(0), 0);
  EXPECT_EQ(library.camOptimalPreview(0), 0);
  EXPECT_EQ(library.camAutoFocus(0, 0), 0);
  EXPECT_EQ(library.camShowDevSettingWindow(-1), 0);
  EXPECT_EQ(library.camShowImageSettingWindow(-1), 0);
  EXPECT_EQ(library.camSetImageRotateMode(0, 1), 0);
  EXPECT_EQ(library.camSetImageColorStyle(0, 2), 0);
  EXPECT_EQ(library.camSetImageAdjust(0, 3), 0);
  EXPECT_EQ(library.camSetImageAutoCrop(0, 0), 0);
  EXPECT_EQ(library.camSetImageCusCropRect(0, 0, 0, 0, 0), 0);
  EXPECT_EQ(library.camSetImageFillBorder(0, 1), 0);
  EXPECT_EQ(library.camSetImageWaterMark(0, "Prismel", 0, 24, "Arial", 0, 0, 1, 30.0f, 0.5f, 255,
                                         0, 0, 1),
            0);

  // Captures land in the work folder in the format their extension names.
  std::vector<char> path(1024, '\0');
  const std::string bmp = work + "\\1_100.bmp";
  std::memcpy(path.data(), bmp.c_str(), bmp.size() + 1);
  ASSERT_EQ(library.camCaptureImageFile(0, path.data()), 0);
  EXPECT_EQ(FileStart(folder.Path() / "Dorvel" / "1_100.bmp", 2), "BM");
  const std::string jpg = work + "\\2_100.jpg";
  std::memcpy(path.data(), jpg.c_str(), jpg.size() + 1);
  ASSERT_EQ(library.camCaptureImageFile(0, path.data()), 0);
  EXPECT_EQ(FileStart(folder.Path() / "Dorvel" / "2_100.jpg", 2), "\xff\xd8");
  const std::string merged = work + "\\Merge_100.png";
  EXPECT_EQ(library.camCombineImage(bmp.c_str(), jpg.c_str(), merged.c_str(), 4, 0, 0, 0, 0), 0);
  EXPECT_EQ(FileStart(folder.Path() / "Dorvel" / "Merge_100.png", 4), "\x89PNG");

  // Auto-capture progress comes from the library's own thread and reaches
  // the handler only when the UI thread runs its queue.
  std::vector<int32_t> progress;
  ASSERT_EQ(library.camStartAutoCapture(
                0, 1, 3, callbacks.BeginAutoCapture([&](int32_t v) { progress.push_back(v); })),
            0);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (ui.Pending() == 0 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(progress.empty());
  ui.RunPending();
  EXPECT_FALSE(progress.empty()) << "no progress within 20 s";
  callbacks.EndAutoCapture();
  EXPECT_EQ(library.camStopAutoCapture(0), 0);
  const size_t seen = progress.size();
  ui.RunPending();
  EXPECT_EQ(progress.size(), seen) << "progress arrived after the stop";

  // A camera plugged in is reported through the UI thread too.
  EXPECT_EQ(hooks.PlugDevice("Second Camera"), devices + 1);
  EXPECT_EQ(deviceChanges, 0);
  ui.RunPending();
  EXPECT_EQ(deviceChanges, 1);
  EXPECT_EQ(library.camStopCameraLib(), 0);
  EXPECT_EQ(library.camUpdateCameraLib(), 0);

  EXPECT_EQ(library.camCloseDev(0), 0);
  EXPECT_EQ(library.camUnInitCameraLib(), 0);

  const std::string log = hooks.CallLog();
#define EXPECT_LOGGED(name, params, args) \
  EXPECT_NE(log.find(#name "("), std::string::npos) << #name " was not called";
  CAMERA_INT_EXPORTS(EXPECT_LOGGED)
  CAMERA_STRING_EXPORTS(EXPECT_LOGGED)
#undef EXPECT_LOGGED
}

TEST_F(KelpraOnWindows, TheHookWindowPlugsAndUnplugsOnTheThreadThatInitialisedTheLibrary) {
  CameraLibrary library(os);
  ASSERT_TRUE(library.Load(BesideProgram("Kelpra.dll")));
  EXPECT_EQ(HookWindowOfThisProcess(), nullptr);
  ASSERT_EQ(library.camRegCallBackDeviceChange(&RecordDeviceChangeThread), 0);
  ASSERT_EQ(library.camInitCameraLib(), 0);
  int32_t devices = 0;
  ASSERT_EQ(library.camGetDevCount(&devices), 0);
  const HWND window = HookWindowOfThisProcess();
  ASSERT_NE(window, nullptr);

  // Sent from another thread, as another process sends it: each hook runs
  // when this thread handles its messages, and answers with the count.
  const UINT message = RegisterWindowMessageW(kKelpraRemoteHookMessage);
  const std::vector<std::pair<WPARAM, LPARAM>> requests = {
      {kKelpraRemotePlug, 0}, {kKelpraRemoteUnplug, 0}, {kKelpraRemoteUnplug, 99}, {7, 0}};
  std::vector<int32_t> answers;
  std::atomic<bool> sent{false};
  std::thread sender([&] {
    for (const auto& [action, device] : requests) {
      DWORD_PTR answer = 0;
      const bool answered =
          SendMessageTimeoutW(window, message, action, device, SMTO_NORMAL, 20000, &answer) != 0;
      answers.push_back(answered ? static_cast<int32_t>(answer) : INT32_MIN);
    }
    sent = true;
  });
  while (!sent) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  sender.join();
  EXPECT_EQ(answers,
            (std::vector<int32_t>{devices + 1, devices, kelpra::kErrNoDevice,
                                  kelpra::kErrBadArgument}));
  EXPECT_EQ(g_deviceChangeThread.load(), GetCurrentThreadId());

  EXPECT_EQ(library.camUnInitCameraLib(), 0);
  EXPECT_EQ(HookWindowOfThisProcess(), nullptr);
}

}  // namespace
