// The Windows live preview: a thread paints the desk scene with a moving pen
// into the window through GetDC, at the view's zoom and the rotation.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "Preview.h"

namespace kelpra {

namespace {

constexpr int kFrameMs = 66;
const wchar_t kFramesProperty[] = L"KelpraPreviewFrames";

class WindowPreview : public Preview {
 public:
  explicit WindowPreview(int32_t window)
      // The handle arrives as its 32 significant bits; LongToHandle
      // sign-extends it in a 64-bit build.
      : window_(static_cast<HWND>(LongToHandle(window))) {
    // A count left by an earlier preview of the same window goes on.
    const INT_PTR left = reinterpret_cast<INT_PTR>(GetPropW(window_, kFramesProperty));
    frames_ = left > 0 ? left - 1 : 0;
    thread_ = std::thread(&WindowPreview::Loop, this);
  }

  ~WindowPreview() override {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stopping_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
    if (IsWindow(window_)) RemovePropW(window_, kFramesProperty);
  }

  void Update(const PreviewPicture& picture) override {
    std::lock_guard<std::mutex> lock(mutex_);
    picture_ = picture;
    // A live picture is announced at once, before its first frame; a
    // paused one paints no frames and is nothing to wait for.
    if (picture.live) {
      PublishFrames();
    } else {
      RemovePropW(window_, kFramesProperty);
    }
  }

 private:
  void Loop() {
    long phase = 0;
    std::unique_lock<std::mutex> lock(mutex_);
    while (
        !wake_.wait_for(lock, std::chrono::milliseconds(kFrameMs), [this] { return stopping_; })) {
      const PreviewPicture picture = picture_;
      lock.unlock();
      const bool painted = picture.live && Paint(picture, phase++);
      lock.lock();
      if (painted) {
        ++frames_;
        if (picture_.live) PublishFrames();
      }
    }
  }

  // While a picture is live, the window holds 1 + the frames painted so far
  // as a property that any process can read, so that a test can wait for a
  // frame instead of for a time.
  void PublishFrames() {
    SetPropW(window_, kFramesProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(frames_ + 1)));
  }

  // Paints one frame; false when there was nothing to paint it into.
  bool Paint(const PreviewPicture& picture, long phase) {
    RECT client;
    if (!IsWindow(window_) || !GetClientRect(window_, &client)) return false;
    const int width = client.right - client.left, height = client.bottom - client.top;
    if (width <= 0 || height <= 0 || picture.frameWidth <= 0 || picture.frameHeight <= 0) return false;
    const int turns = ((picture.rotation % 4) + 4) % 4;
    const bool quarter = turns % 2 != 0;
    const int shownW = quarter ? picture.frameHeight : picture.frameWidth;
    const int shownH = quarter ? picture.frameWidth : picture.frameHeight;
    const double scale = PreviewScale(picture.view, shownW, shownH, width, height);
    const int stride = width * 3 + ((4 - (width * 3) % 4) % 4);
    pixels_.assign(static_cast<size_t>(stride) * height, 0);
    for (int y = 0; y < height; ++y) {
      uint8_t* row = &pixels_[static_cast<size_t>(y) * stride];
      const double rv = ((y + 0.5 - height / 2.0) / scale + shownH / 2.0) / shownH;
      for (int x = 0; x < width; ++x) {
        const double ru = ((x + 0.5 - width / 2.0) / scale + shownW / 2.0) / shownW;
        uint8_t rgb[3] = {48, 48, 48};
        if (ru >= 0 && ru < 1 && rv >= 0 && rv < 1) {
          // From the turned picture back to the camera frame.
          double u = ru, v = rv;
          if (turns == 1) {
            u = rv;
            v = 1 - ru;
          } else if (turns == 2) {
            u = 1 - ru;
            v = 1 - rv;
          } else if (turns == 3) {
            u = 1 - rv;
            v = ru;
          }
          if (!PenColour(phase, u, v, rgb)) SceneColour(picture.layout, u, v, rgb);
        }
        row[3 * x] = rgb[2];  // BGR
        row[3 * x + 1] = rgb[1];
        row[3 * x + 2] = rgb[0];
      }
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    HDC dc = GetDC(window_);
    if (!dc) return false;
    SetDIBitsToDevice(dc, 0, 0, width, height, 0, 0, 0, height, pixels_.data(), &info,
                      DIB_RGB_COLORS);
    ReleaseDC(window_, dc);
    return true;
  }

  HWND window_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stopping_ = false;
  PreviewPicture picture_;
  std::vector<uint8_t> pixels_;
  INT_PTR frames_ = 0;
  std::thread thread_;
};

}  // namespace

std::unique_ptr<Preview> Preview::Create(int32_t window) {
  return std::make_unique<WindowPreview>(window);
}

}  // namespace kelpra
