// The thumbnail benchmark's Windows part: the Windows build's thumbnail
// path (Win32Imaging, as the thumbnail list calls it) next to a full GDI+
// decode of the same file, in one process, each file read once before it
// is timed. Prints medians and how many times faster the thumbnail is.
//
//   ThumbnailBenchWin.exe FILE...
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/win32/Win32Imaging.h"
#include "platform/win32/WindowsHeaders.h"
#include "thumbnails/ThumbnailGeometry.h"

// Left out by WIN32_LEAN_AND_MEAN, needed by the GDI+ headers.
#include <objidl.h>

#include <gdiplus.h>

namespace {

namespace gp = Gdiplus::DllExports;

const thumbnails::CellSize kCell = thumbnails::CellForClientWidth(150);

bool ProductThumbnail(win32::Win32Imaging& imaging, const std::u16string& path) {
  const std::optional<platform::ImageSize> size = imaging.ReadImageSize(path);
  if (!size) return false;
  return imaging.MakeThumbnail(path, thumbnails::LayoutFor(kCell, *size)).has_value();
}

// The whole picture decoded by GDI+, every pixel reached.
bool GdiplusDecode(const std::u16string& path) {
  Gdiplus::GpBitmap* bitmap = nullptr;
  if (gp::GdipCreateBitmapFromFile(reinterpret_cast<const WCHAR*>(path.c_str()), &bitmap) !=
          Gdiplus::Ok ||
      bitmap == nullptr) {
    return false;
  }
  UINT width = 0, height = 0;
  gp::GdipGetImageWidth(bitmap, &width);
  gp::GdipGetImageHeight(bitmap, &height);
  Gdiplus::GpRect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
  Gdiplus::BitmapData data{};
  const bool locked = gp::GdipBitmapLockBits(bitmap, &all, Gdiplus::ImageLockModeRead,
                                             PixelFormat24bppRGB, &data) == Gdiplus::Ok;
  if (locked) gp::GdipBitmapUnlockBits(bitmap, &data);
  gp::GdipDisposeImage(bitmap);
  return locked;
}

template <typename Action>
double MedianMs(Action action) {
  if (!action()) return -1;
  std::vector<double> times;
  const auto start = std::chrono::steady_clock::now();
  while (times.size() < 11) {
    const auto before = std::chrono::steady_clock::now();
    if (!action()) return -1;
    const auto after = std::chrono::steady_clock::now();
    times.push_back(std::chrono::duration<double, std::milli>(after - before).count());
    if (times.size() >= 3 && after - start > std::chrono::seconds(6)) break;
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return 1;
  win32::Win32Imaging imaging;
  std::printf("%-44s %10s %12s %10s\n", "file", "thumb ms", "GDI+ full ms", "GDI+/thumb");
  int failures = 0;
  for (int i = 1; i < argc; ++i) {
    const std::wstring wide = argv[i];
    const std::u16string path(wide.begin(), wide.end());
    const double product = MedianMs([&] { return ProductThumbnail(imaging, path); });
    const double gdiplus = MedianMs([&] { return GdiplusDecode(path); });
    std::string name(wide.begin(), wide.end());
    name = name.substr(name.find_last_of("\\/") + 1);
    if (product < 0 || gdiplus < 0) ++failures;
    std::printf("%-44s %10.2f %12.1f %9.1fx\n", name.c_str(), product, gdiplus,
                product > 0 ? gdiplus / product : 0.0);
    std::fflush(stdout);
  }
  return failures == 0 ? 0 : 1;
}
