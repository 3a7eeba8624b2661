// Hostile files through the Windows build, which compiles libpng and
// libjpeg-turbo from their sources: files of the seed corpora that declare
// more than they hold are refused, or read row by row, within a few
// megabytes of peak working set; run-length BMPs decode as GDI+ decodes
// them. Its own executable, so that the process's peak starts low.
#include <gtest/gtest.h>

#include <cstdio>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/Win32Imaging.h"
#include "platform/win32/WindowsHeaders.h"
#include "thumbnails/ThumbnailGeometry.h"
#include "win32/support/GdiplusDecode.h"
#include "win32/support/TestPictures.h"

#include <psapi.h>

namespace {

std::u16string CorpusFile(const std::string& name) {
  const std::string path = "Z:" + std::string(PRISMEL_FUZZ_CORPUS_DIR) + "/" + name;
  return std::u16string(path.begin(), path.end());
}

size_t PeakWorkingSet() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
  return counters.PeakWorkingSetSize;
}

// The pixels of a pane picture's bitmap as RGB rows, top first.
testing_support::Rgb PixelsOf(const win32::Win32Picture& picture) {
  const platform::ImageSize size = picture.BitmapSize();
  testing_support::Rgb rgb{static_cast<int>(size.width), static_cast<int>(size.height), {}};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = rgb.width;
  info.bmiHeader.biHeight = -rgb.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  const size_t stride = (static_cast<size_t>(rgb.width) * 3 + 3) & ~size_t{3};
  std::vector<uint8_t> bits(stride * rgb.height);
  HDC screen = GetDC(nullptr);
  const int rows = GetDIBits(screen, picture.Bitmap(), 0, size.height, bits.data(), &info,
                             DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (rows != rgb.height) return {};
  for (int y = 0; y < rgb.height; ++y) {
    for (int x = 0; x < rgb.width; ++x) {
      const uint8_t* p = bits.data() + y * stride + x * 3;
      rgb.pixels.insert(rgb.pixels.end(), {p[2], p[1], p[0]});
    }
  }
  return rgb;
}

// An 8- or 4-bit run-length BMP of red, blue and green.
std::string RunLengthBmp(int width, int height, int bits, const std::string& runs) {
  const std::string palette("\x28\x1E\xC8\x00\xDC\x28\x14\x00\x3C\xA0\x1E\x00", 12);
  std::string bmp(54, '\0');
  bmp[0] = 'B';
  bmp[1] = 'M';
  win32_test_support::Put32(bmp, 2, static_cast<uint32_t>(54 + palette.size() + runs.size()));
  win32_test_support::Put32(bmp, 10, static_cast<uint32_t>(54 + palette.size()));
  win32_test_support::Put32(bmp, 14, 40);
  win32_test_support::Put32(bmp, 18, static_cast<uint32_t>(width));
  win32_test_support::Put32(bmp, 22, static_cast<uint32_t>(height));
  bmp[26] = 1;
  bmp[28] = static_cast<char>(bits);
  bmp[30] = bits == 8 ? 1 : 2;
  win32_test_support::Put32(bmp, 34, static_cast<uint32_t>(runs.size()));
  win32_test_support::Put32(bmp, 46, 3);
  return bmp + palette + runs;
}

}  // namespace

TEST(HostileFilesWin32, DeclaredLengthsCostNoMoreThanTheFilesHold) {
  win32::Win32Imaging imaging;
  const size_t before = PeakWorkingSet();
  ASSERT_GT(before, 0u);
  const platform::ThumbnailLayout layout =
      thumbnails::LayoutFor(thumbnails::CellForClientWidth(150), {4, 3});
  // 1.7 GB of text declared in 496 bytes; 384 MB of coefficients in 582.
  for (const char* refused : {"PngStreamFuzz/gigabyte-text-chunk-png.bin",
                              "JpegStreamFuzz/progressive-8000-square-in-582-bytes.jpg"}) {
    SCOPED_TRACE(refused);
    EXPECT_FALSE(imaging.MakeThumbnail(CorpusFile(refused), layout));
    EXPECT_EQ(imaging.LoadPicture(CorpusFile(refused)), nullptr);
  }
  // 16000 x 15000 run-length pixels in 70 bytes: a frame of 720 MB, read
  // one 48 KB row at a time.
  const std::u16string runLength = CorpusFile("BmpStreamFuzz/rle8-240-megapixels-in-70-bytes.bmp");
  EXPECT_TRUE(imaging.MakeThumbnail(runLength, layout));
  const std::unique_ptr<platform::Picture> pane = imaging.LoadPicture(runLength);
  ASSERT_NE(pane, nullptr);
  EXPECT_EQ(pane->Size().width, 16000u);
  const size_t growth = PeakWorkingSet() - before;
  EXPECT_LE(growth, size_t{32} << 20);
  std::printf("peak working set grew by %zu bytes\n", growth);
}

TEST(HostileFilesWin32, RunLengthBmpsDecodeAsGdiplusDecodesThem) {
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  ASSERT_EQ(Gdiplus::GdiplusStartup(&token, &input, nullptr), Gdiplus::Ok);
  const struct {
    const wchar_t* name;
    std::string bytes;
  } cases[] = {
      // Runs and literals, every pixel set.
      {L"runs8.bmp", RunLengthBmp(4, 2, 8, std::string("\x04\x01\x00\x00\x00\x04\x00\x01\x02\x01"
                                                       "\x00\x00\x00\x01", 14))},
      {L"runs4.bmp", RunLengthBmp(4, 2, 4, std::string("\x04\x12\x00\x00\x00\x04\x21\x02\x00\x01",
                                                       10))}};
  win32::Win32Imaging imaging;
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name, c.name + wcslen(c.name)));
    const std::u16string path = win32_test_support::TempFile(L"prismel-hostile", c.name);
    ASSERT_TRUE(win32_test_support::WriteBytes(path, c.bytes));
    const std::unique_ptr<platform::Picture> picture = imaging.LoadPicture(path);
    ASSERT_NE(picture, nullptr);
    const testing_support::Rgb ours = PixelsOf(*static_cast<win32::Win32Picture*>(picture.get()));
    const testing_support::Rgb system = win32_test_support::GdiplusDecode(path);
    EXPECT_EQ(ours.width, 4);
    EXPECT_EQ(ours.pixels, system.pixels);
    DeleteFileW(reinterpret_cast<const wchar_t*>(path.c_str()));
  }
  Gdiplus::GdiplusShutdown(token);
}
