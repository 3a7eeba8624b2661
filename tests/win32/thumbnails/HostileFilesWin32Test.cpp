// Hostile files through the Windows build, which compiles libpng and
// libjpeg-turbo from their sources with their own configuration: files of
// the seed corpora that declare more than they hold are refused within a few
// megabytes of peak working set. Its own executable, so that the process's
// peak starts low. Hostile BMP files go through the product's own decoder,
// the same natively (tests/thumbnails/HostileFilesTest.cpp).
#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "platform/win32/Win32Imaging.h"
#include "platform/win32/WindowsHeaders.h"
#include "thumbnails/ThumbnailGeometry.h"

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
  EXPECT_LE(PeakWorkingSet() - before, size_t{32} << 20) << "growth of the peak working set";
}
