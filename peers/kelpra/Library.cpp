// The library's state and the behaviour of every export.
//
// One mutex guards the device list. It is never held while a callback runs
// or while a thread is joined: the auto-capture callback may call back into
// the library (a capture), and the device-change callback rebuilds the
// caller's whole device session through the exports.
#include "Library.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "CallLog.h"
#include "CombineImages.h"
#include "DeviceRegistry.h"
#include "FailRules.h"
#include "FileNames.h"
#include "HookWindow.h"
#include "KelpraErrors.h"
#include "LibraryFolder.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace kelpra::impl {
namespace {

constexpr int32_t kNoDevice = -1;         // what the capture window passes for "none"
constexpr size_t kPathBufferSize = 1024;  // the capture path buffer's size

struct State {
  std::mutex mutex;
  bool initialised = false;
  std::string armedConfigText;  // the configuration whose failures were armed
  CamDeviceChangeCallback deviceChange = nullptr;
  int tickMs = 1000;
  std::vector<std::unique_ptr<Device>> devices;
  std::optional<int32_t> reportedDeviceCount;  // a faulty count from the file
};

State& Lib() {
  static State state;
  return state;
}

using Lock = std::unique_lock<std::mutex>;

// The device at index, or null with the failure code in error.
Device* Find(int32_t index, int32_t& error) {
  State& s = Lib();
  if (!s.initialised) {
    error = kErrNotInitialised;
    return nullptr;
  }
  if (index < 0 || index >= static_cast<int32_t>(s.devices.size())) {
    error = kErrNoDevice;
    return nullptr;
  }
  return s.devices[index].get();
}

// Applies change to the device unless the index is the "no device" -1,
// which is ignored.
template <typename Change>
int32_t Setting(int32_t device, Change change) {
  if (device == kNoDevice) return kOk;
  Lock lock(Lib().mutex);
  int32_t error = kOk;
  Device* d = Find(device, error);
  if (!d) return error;
  return change(*d);
}

// Stops runs outside the lock (their callbacks may call the library).
void StopRuns(std::vector<std::shared_ptr<AutoCaptureRun>>& runs) {
  for (auto& run : runs) run->Stop();
  runs.clear();
}

void TakeRun(Device& d, std::vector<std::shared_ptr<AutoCaptureRun>>& runs) {
  if (d.autoCapture) runs.push_back(std::move(d.autoCapture));
  d.autoCapture.reset();
}

struct ConfigFile {
  std::string text;
  LibraryConfig parsed;
};

ConfigFile ReadConfig() {
  ConfigFile config;
  if (!ReadWholeFile(ConfigFilePath(), config.text, limits::kMaxFileBytes)) config.text.clear();
  config.parsed = ParseConfig(config.text);
  return config;
}

void NotifyDeviceChange(CamDeviceChangeCallback callback, int32_t arrived) {
  if (callback) (void)callback(arrived);
}

// The text of the library's own property windows.
std::string PropertiesText(const Device& d) {
  std::ostringstream text;
  text << d.model.name << "\n\n"
       << "Format: " << (d.ValidFormat(d.format) ? d.model.formats[d.format].name : "") << "\n"
       << "Frame size: " << d.width << " x " << d.height << "\n"
       << "DPI: " << d.DpiX() << " x " << d.DpiY() << "\n"
       << "Rotation: " << d.options.rotation * 90 << "\n"
       << "Colour style: " << d.options.colourStyle << ", adjustment " << d.options.adjustment;
  return text.str();
}

// Shows a device's properties in a message box on Windows (natively there
// is no window to show).
int32_t ShowProperties(int32_t device, const char* title) {
  if (device == kNoDevice) return kOk;
  Lock lock(Lib().mutex);
  int32_t error = kOk;
  Device* d = Find(device, error);
  if (!d) return error;
  const std::string text = PropertiesText(*d);
  const int32_t window = d->window;
  lock.unlock();
#if defined(_WIN32)
  MessageBoxA(static_cast<HWND>(LongToHandle(window)), text.c_str(), title,
              MB_OK | MB_ICONINFORMATION);
#else
  (void)window;
  (void)title;
#endif
  return kOk;
}

// Ends the device's auto-capture run, doing `alsoUnderLock` to the device
// while the library is locked. The run's thread is joined only after the
// lock is released, so a callback still running can call back in.
template <typename Action>
int32_t StopAutoCaptureOf(int32_t device, Action alsoUnderLock) {
  if (device == kNoDevice) return kOk;
  std::vector<std::shared_ptr<AutoCaptureRun>> runs;
  {
    Lock lock(Lib().mutex);
    int32_t error = kOk;
    Device* d = Find(device, error);
    if (!d) return error;
    TakeRun(*d, runs);
    alsoUnderLock(*d);
  }
  StopRuns(runs);
  return kOk;
}

}  // namespace

// ---- Library life cycle ----------------------------------------------------

int32_t camInitCameraLib() {
  Lock lock(Lib().mutex);
  State& s = Lib();
  if (s.initialised) return kOk;
  const ConfigFile config = ReadConfig();
  s.devices.clear();
  for (const DeviceSpec& model : config.parsed.devices) s.devices.push_back(MakeDevice(model));
  s.tickMs = config.parsed.tickMs;
  s.reportedDeviceCount = config.parsed.reportedDeviceCount;
  if (const int tick = TickFromEnvironment()) s.tickMs = tick;
  // A file's failures are armed once: "the next N calls" of an export, not
  // N calls after every start (a failed start would otherwise re-arm itself
  // and never succeed). A changed file arms its failures anew.
  if (config.text != s.armedConfigText) {
    for (const FailRule& rule : config.parsed.failRules)
      SetFailNext(rule.exportName, rule.count, rule.code);
    s.armedConfigText = config.text;
  }
  // The configuration is read here, so a failure it injects into this very
  // export is taken here too.
  int32_t injected = kOk;
  if (TakeFailure("camInitCameraLib", injected)) return injected;
  s.initialised = true;
  lock.unlock();
  // Other processes plug and unplug devices through a window of this thread.
  OpenHookWindow();
  return kOk;
}

int32_t camUnInitCameraLib() {
  std::vector<std::shared_ptr<AutoCaptureRun>> runs;
  {
    Lock lock(Lib().mutex);
    State& s = Lib();
    for (auto& d : s.devices) TakeRun(*d, runs);
    s.devices.clear();
    s.initialised = false;
    s.deviceChange = nullptr;
  }
  CloseHookWindow();
  StopRuns(runs);
  return kOk;
}

int32_t camStopCameraLib() {
  std::vector<std::shared_ptr<AutoCaptureRun>> runs;
  {
    Lock lock(Lib().mutex);
    State& s = Lib();
    if (!s.initialised) return kErrNotInitialised;
    for (auto& d : s.devices) {
      TakeRun(*d, runs);
      d->open = false;
      d->preview.reset();
      d->window = 0;
    }
  }
  StopRuns(runs);
  return kOk;
}

int32_t camUpdateCameraLib() {
  Lock lock(Lib().mutex);
  // The simulated devices are the list itself: plugging and unplugging edit
  // it directly, so there is nothing more to enumerate.
  return Lib().initialised ? kOk : kErrNotInitialised;
}

int32_t camRegCallBackDeviceChange(CamDeviceChangeCallback callback) {
  Lock lock(Lib().mutex);
  Lib().deviceChange = callback;
  return kOk;
}

// ---- Devices, formats and sizes --------------------------------------------

int32_t camGetDevCount(int32_t* count) {
  if (!count) return kErrBadArgument;
  Lock lock(Lib().mutex);
  if (!Lib().initialised) return kErrNotInitialised;
  *count = Lib().reportedDeviceCount.value_or(static_cast<int32_t>(Lib().devices.size()));
  return kOk;
}

const char* camGetDevName(int32_t device) {
  Lock lock(Lib().mutex);
  int32_t error = kOk;
  Device* d = Find(device, error);
  return d ? d->model.name.c_str() : nullptr;
}

int32_t camOpenDev(int32_t device, int32_t mediaType, int32_t width, int32_t height) {
  Lock lock(Lib().mutex);
  int32_t error = kOk;
  Device* d = Find(device, error);
  if (!d) return error;
  if (d->model.faults.openFailure != 0) return d->model.faults.openFailure;
  if (d->FindSize(mediaType, width, height) < 0) return kErrUnsupported;
  d->format = mediaType;
  d->width = width;
  d->height = height;
  d->open = true;
  d->RefreshPreview();
  return kOk;
}

int32_t camCloseDev(int32_t device) {
  return StopAutoCaptureOf(device, [](Device& d) {
    d.open = false;
    d.RefreshPreview();
  });
}

int32_t camSetPreviewWindow(int32_t device, CamWindowHandle window) {
  return Setting(device, [window](Device& d) {
    d.window = window;
    d.preview.reset();
    if (window != 0) {
      d.preview = Preview::Create(window);
      d.RefreshPreview();
    }
    return kOk;
  });
}

int32_t camGetMediaTypeCount(int32_t device, int32_t* count) {
  if (!count) return kErrBadArgument;
  Lock lock(Lib().mutex);
  int32_t error = kOk;
  Device* d = Find(device, error);
  if (!d) return error;
  *count = d->model.faults.formatCount.value_or(static_cast<int32_t>(d->model.formats.size()));
  return kOk;
}

const char* camGetMediaTypeName(int32_t device, int32_t format) {
  Lock lock(Lib().mutex);
  int32_t error = kOk;
  Device* d = Find(device, error);
  if (!d || !d->ValidFormat(format)) return nullptr;
  return d->model.formats[format].name.c_str();
}

int32_t camSetMediaType(int32_t device, int32_t format) {
  Lock lock(Lib().mutex);
  int32_t error = kOk;
  Device* d = Find(device, error);
  if (!d) return error;
  if (!d->ValidFormat(format)) return kErrUnsupported;
  d->format = format;
  // Keep the frame size when the new format offers it, else take its first.
  if (d->FindSize(format, d->width, d->height) < 0) {
    d->width = d->model.formats[format].sizes[0].width;
    d->height = d->model.formats[format].sizes[0].height;
  }
  d->RefreshPreview();
  return kOk;
}

int32_t camGetResolutionCount(int32_t device, int32_t format, int32_t* count) {
  if (!count) return kErrBadArgument;
  Lock lock(Lib().mutex);
  int32_t error = kOk;
  Device* d = Find(device, error);
  if (!d) return error;
  if (!d->ValidFormat(format)) return kErrUnsupported;
  *count = d->model.faults.sizeCount.value_or(
      static_cast<int32_t>(d->model.formats[format].sizes.size()));
  return kOk;
}

int32_t camGetResolution(int32_t device, int32_t format, int32_t index, int32_t* width,
                         int32_t* height) {
  if (!width || !height) return kErrBadArgument;
  Lock lock(Lib().mutex);
  int32_t error = kOk;
  Device* d = Find(device, error);
  if (!d) return error;
  if (!d->ValidFormat(format) || index < 0 ||
      index >= static_cast<int32_t>(d->model.formats[format].sizes.size()))
    return kErrUnsupported;
  *width = d->model.formats[format].sizes[index].width;
  *height = d->model.formats[format].sizes[index].height;
  return kOk;
}

int32_t camSetResolution(int32_t device, int32_t width, int32_t height) {
  Lock lock(Lib().mutex);
  int32_t error = kOk;
  Device* d = Find(device, error);
  if (!d) return error;
  // The current format first; another format offering the size is switched to.
  int format = d->FindSize(d->format, width, height) >= 0 ? d->format : -1;
  for (int f = 0; format < 0 && f < static_cast<int>(d->model.formats.size()); ++f) {
    if (d->FindSize(f, width, height) >= 0) format = f;
  }
  if (format < 0) return kErrUnsupported;
  d->format = format;
  d->width = width;
  d->height = height;
  d->RefreshPreview();
  return kOk;
}

int32_t camGetCurResolution(int32_t device, int32_t* format, int32_t* width, int32_t* height) {
  if (!format || !width || !height) return kErrBadArgument;
  Lock lock(Lib().mutex);
  int32_t error = kOk;
  Device* d = Find(device, error);
  if (!d) return error;
  *format = d->format;
  *width = d->model.faults.currentWidth.value_or(d->width);
  *height = d->height;
  return kOk;
}

int32_t camSetImageDPI(int32_t device, int32_t dpiX, int32_t dpiY) {
  if (dpiX < 0 || dpiY < 0 || dpiX > limits::kMaxDpi || dpiY > limits::kMaxDpi)
    return device == kNoDevice ? kOk : kErrBadArgument;
  return Setting(device, [dpiX, dpiY](Device& d) {
    // One value alone sets both; 0, 0 returns to the native DPI.
    d.dpiOverrideX = dpiX > 0 ? dpiX : dpiY;
    d.dpiOverrideY = dpiY > 0 ? dpiY : dpiX;
    return kOk;
  });
}

int32_t camGetImageDPI(int32_t device, int32_t* dpiX, int32_t* dpiY) {
  if (!dpiX || !dpiY) return kErrBadArgument;
  Lock lock(Lib().mutex);
  int32_t error = kOk;
  Device* d = Find(device, error);
  if (!d) return error;
  *dpiX = d->DpiX();
  *dpiY = d->DpiY();
  return kOk;
}

// ---- Preview controls --------------------------------------------------------

int32_t camZooIn(int32_t device) {
  return Setting(device, [](Device& d) {
    d.view.zoomSteps = std::min(d.view.zoomSteps + 1, kMaxZoomSteps);
    d.RefreshPreview();
    return kOk;
  });
}

int32_t camZoomOut(int32_t device) {
  return Setting(device, [](Device& d) {
    d.view.zoomSteps = std::max(d.view.zoomSteps - 1, -kMaxZoomSteps);
    d.RefreshPreview();
    return kOk;
  });
}

int32_t camOriginalPreview(int32_t device) {
  return Setting(device, [](Device& d) {
    d.view = PreviewView{false, 0};
    d.RefreshPreview();
    return kOk;
  });
}

int32_t camOptimalPreview(int32_t device) {
  return Setting(device, [](Device& d) {
    d.view = PreviewView{true, 0};
    d.RefreshPreview();
    return kOk;
  });
}

int32_t camAutoFocus(int32_t device, int32_t) {
  Lock lock(Lib().mutex);
  int32_t error = kOk;
  Device* d = Find(device, error);
  if (!d) return error;
  // The simulated lens is always sharp; focusing needs a running camera.
  return d->open ? kOk : kErrNotOpen;
}

int32_t camShowDevSettingWindow(int32_t device) {
  return ShowProperties(device, "Device settings");
}

int32_t camShowImageSettingWindow(int32_t device) {
  return ShowProperties(device, "Image settings");
}

// ---- Image options -----------------------------------------------------------

int32_t camSetImageRotateMode(int32_t device, int32_t rotation) {
  if (device != kNoDevice && (rotation < 0 || rotation > 3)) return kErrBadArgument;
  return Setting(device, [rotation](Device& d) {
    d.options.rotation = rotation;
    d.RefreshPreview();
    return kOk;
  });
}

int32_t camSetImageColorStyle(int32_t device, int32_t style) {
  if (device != kNoDevice && (style < 0 || style > 2)) return kErrBadArgument;
  return Setting(device, [style](Device& d) {
    d.options.colourStyle = style;
    return kOk;
  });
}

int32_t camSetImageAdjust(int32_t device, int32_t adjustment) {
  return Setting(device, [adjustment](Device& d) {
    d.options.adjustment = adjustment;
    return kOk;
  });
}

int32_t camSetImageAutoCrop(int32_t device, int32_t cropMode) {
  if (device != kNoDevice && (cropMode < 0 || cropMode > 2)) return kErrBadArgument;
  return Setting(device, [cropMode](Device& d) {
    d.options.autoCrop = cropMode;
    return kOk;
  });
}

int32_t camSetImageCusCropRect(int32_t device, int32_t left, int32_t top, int32_t right,
                               int32_t bottom) {
  return Setting(device, [=](Device& d) {
    // 0, 0, 0, 0 (or any empty rectangle) switches the custom crop off.
    d.options.customCrop = right > left && bottom > top;
    d.options.cropLeft = left;
    d.options.cropTop = top;
    d.options.cropRight = right;
    d.options.cropBottom = bottom;
    return kOk;
  });
}

int32_t camSetImageFillBorder(int32_t device, int32_t fill) {
  return Setting(device, [fill](Device& d) {
    d.options.fillBorder = fill != 0;
    return kOk;
  });
}

int32_t camSetImageWaterMark(int32_t device, const char* text, int32_t position, int32_t fontSize,
                             const char* fontName, int32_t italic, int32_t underline, int32_t bold,
                             float angle, float transparency, int32_t red, int32_t green,
                             int32_t blue, int32_t enabled) {
  return Setting(device, [=](Device& d) {
    WatermarkOptions& w = d.options.watermark;
    w.enabled = enabled != 0;
    w.text = text ? std::string(text, strnlen(text, 4096)) : std::string();
    w.position = position;
    w.fontSize = fontSize;
    w.font = fontName ? std::string(fontName, strnlen(fontName, 256)) : std::string();
    w.italic = italic != 0;
    w.underline = underline != 0;
    w.bold = bold != 0;
    w.angle = angle;
    w.transparency = transparency;
    w.red = red;
    w.green = green;
    w.blue = blue;
    return kOk;
  });
}

// ---- Files -------------------------------------------------------------------

int32_t camCaptureImageFile(int32_t device, char* path) {
  if (!path) return kErrBadArgument;
  const size_t length = strnlen(path, kPathBufferSize);
  if (length == 0 || length == kPathBufferSize) return kErrBadArgument;
  const std::string target(path, length);
  CaptureRequest request;
  {
    Lock lock(Lib().mutex);
    int32_t error = kOk;
    Device* d = Find(device, error);
    if (!d) return error;
    if (!d->open) return kErrNotOpen;
    request = d->MakeCaptureRequest();
  }
  // The shot runs without the lock: it takes a while at large sizes.
  std::vector<std::string> written;
  const int32_t result = CapturePictures(request, target, written);
  if (result != kOk || written.size() < 2) return result;
  // Several documents: the buffer lists the files, separated by ";".
  std::string list;
  for (size_t i = 0; i < written.size(); ++i) list += (i ? ";" : "") + written[i];
  if (list.size() >= kPathBufferSize) {
    for (const std::string& file : written) std::remove(NativePath(file).c_str());
    return kErrNoSpace;
  }
  std::memcpy(path, list.c_str(), list.size() + 1);
  return kOk;
}

int32_t camCombineImage(const char* first, const char* second, const char* output, int32_t mode,
                        int32_t x, int32_t y, int32_t width, int32_t height) {
  if (!first || !second || !output) return kErrBadArgument;
  return CombineImageFiles(first, second, output, mode, x, y, width, height);
}

int32_t camCreateDirectory(const char* folder) {
  if (!folder || !*folder) return kErrBadArgument;
  return CreateFolderTree(folder) ? kOk : kErrWriteFailed;
}

// ---- Auto capture ------------------------------------------------------------

int32_t camStartAutoCapture(int32_t device, int32_t mode, int32_t target,
                            CamAutoCaptureCallback callback) {
  if (!callback || (mode != kAutoCaptureTimed && mode != kAutoCaptureDetect) || target < 1 ||
      target > kMaxAutoCaptureTarget)
    return kErrBadArgument;
  std::vector<std::shared_ptr<AutoCaptureRun>> runs;
  int tickMs = 1000;
  {
    Lock lock(Lib().mutex);
    int32_t error = kOk;
    Device* d = Find(device, error);
    if (!d) return error;
    if (!d->open) return kErrNotOpen;
    TakeRun(*d, runs);
    tickMs = Lib().tickMs;
  }
  // A run already going on this device is replaced.
  StopRuns(runs);
  auto run = std::make_shared<AutoCaptureRun>(mode, target, callback, tickMs);
  Lock lock(Lib().mutex);
  int32_t error = kOk;
  Device* d = Find(device, error);
  if (!d || !d->open) {
    lock.unlock();
    run->Stop();
    return d ? kErrNotOpen : error;
  }
  TakeRun(*d, runs);
  d->autoCapture = run;
  lock.unlock();
  StopRuns(runs);
  return kOk;
}

int32_t camStopAutoCapture(int32_t device) {
  return StopAutoCaptureOf(device, [](Device&) {});
}

// ---- Test hooks ----------------------------------------------------------------

int32_t kelpraTestGetCallLog(char* buffer, int32_t size) {
  const std::string log = CallLogText();
  if (buffer && size > 0) {
    const size_t copied = std::min(log.size(), static_cast<size_t>(size) - 1);
    std::memcpy(buffer, log.data(), copied);
    buffer[copied] = '\0';
  }
  return static_cast<int32_t>(log.size());
}

int32_t kelpraTestClearCallLog() {
  ClearCallLog();
  return kOk;
}

int32_t kelpraTestPlugDevice(const char* name) {
  CamDeviceChangeCallback callback = nullptr;
  int32_t count = 0;
  {
    Lock lock(Lib().mutex);
    State& s = Lib();
    if (!s.initialised) return kErrNotInitialised;
    if (static_cast<int>(s.devices.size()) >= limits::kMaxDevices) return kErrNoSpace;
    std::string deviceName = name ? std::string(name, strnlen(name, limits::kMaxNameLength))
                                  : std::string("Kelpra Plugged Webcam");
    s.devices.push_back(MakeDevice(DefaultWebcam(deviceName)));
    count = static_cast<int32_t>(s.devices.size());
    callback = s.deviceChange;
  }
  NotifyDeviceChange(callback, 1);
  return count;
}

int32_t kelpraTestUnplugDevice(int32_t device) {
  CamDeviceChangeCallback callback = nullptr;
  int32_t count = 0;
  std::vector<std::shared_ptr<AutoCaptureRun>> runs;
  {
    Lock lock(Lib().mutex);
    State& s = Lib();
    int32_t error = kOk;
    Device* d = Find(device, error);
    if (!d) return error;
    TakeRun(*d, runs);
    s.devices.erase(s.devices.begin() + device);
    count = static_cast<int32_t>(s.devices.size());
    callback = s.deviceChange;
  }
  StopRuns(runs);
  NotifyDeviceChange(callback, 0);
  return count;
}

int32_t kelpraTestFailNext(const char* exportName, int32_t count, int32_t code) {
  if (!exportName || !IsExportName(exportName) || count < 0 || (count > 0 && code == 0))
    return kErrBadArgument;
  SetFailNext(exportName, count, code);
  return kOk;
}

int32_t kelpraTestAutoCaptureThreads() { return RunningAutoCaptureThreads(); }

int32_t kelpraTestAutoCaptureTick(int32_t device, int32_t ticks) {
  if (ticks < 0) return kErrBadArgument;
  std::shared_ptr<AutoCaptureRun> run;
  {
    Lock lock(Lib().mutex);
    int32_t error = kOk;
    Device* d = Find(device, error);
    if (!d) return error;
    run = d->autoCapture;
  }
  // Outside the lock: the callback may call the library.
  if (!run) return kErrNotOpen;
  const int reported = run->Tick(ticks);
  return reported < 0 ? kErrUnsupported : reported;
}

}  // namespace kelpra::impl
