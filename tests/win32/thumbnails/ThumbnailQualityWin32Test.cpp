// The Windows build's thumbnails and pane pictures under Wine: the cells
// Win32Imaging makes of BMP, PNG and JPEG files, decoded by the libpng and
// libjpeg-turbo this build compiles, agree with the cells of GDI+'s own full
// decode of the same file within the bounds the native tests hold against
// the box reference; a large picture is held at a pane's size. How close the
// decoders come to the pictures written is the native tests' to show.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "platform/streaming/AreaReducer.h"
#include "platform/win32/Win32Imaging.h"
#include "support/PictureWriters.h"
#include "support/TestFolder.h"
#include "support/TextPage.h"
#include "thumbnails/ThumbnailGeometry.h"
#include "win32/support/GdiplusDecode.h"

namespace {

namespace ts = testing_support;
using Writer = std::function<bool(std::FILE*, uint32_t, uint32_t, const ts::RowSource&)>;

class ThumbnailQualityWin32 : public ::testing::Test {
 protected:
  void SetUp() override {
    Gdiplus::GdiplusStartupInput input;
    ASSERT_EQ(Gdiplus::GdiplusStartup(&token_, &input, nullptr), Gdiplus::Ok);
  }
  void TearDown() override { Gdiplus::GdiplusShutdown(token_); }
  std::u16string Write(const char* name, const ts::TextPage& page, const Writer& write) {
    const std::u16string path = (folder_.Path() / name).u16string();
    FILE* file = _wfopen(reinterpret_cast<const wchar_t*>(path.c_str()), L"wb");
    const ts::RowSource rows = [&page](uint32_t y, uint8_t* rgb) { page.Row(y, rgb); };
    const bool written = file != nullptr && write(file, page.Width(), page.Height(), rows);
    EXPECT_TRUE(written && fclose(file) == 0) << "writing " << name;
    return path;
  }

  win32::Win32Imaging imaging;

 private:
  ts::TestFolder folder_;
  ULONG_PTR token_ = 0;
};

}  // namespace

TEST_F(ThumbnailQualityWin32, CellsAgreeWithThoseOfTheSystemsDecode) {
  const thumbnails::CellSize cell = thumbnails::CellForClientWidth(150);
  const ts::TextPage page(601, 451);
  // JPEG cells are held to the bounds at camera-like sizes, where a cell's
  // pixel spans several of the blocks a scaled decode averages.
  const ts::TextPage photo(2400, 1800, 5);
  const struct {
    const char* name;
    const ts::TextPage& picture;
    Writer write;
  } cases[] = {{"page24.bmp", page, [](auto... a) { return ts::WriteBmp(a...); }},
               {"page8.bmp", page,
                [](auto... a) {
                  return ts::WriteBmp(a..., {8, true});
                }},
               {"page.png", page, [](auto... a) { return ts::WritePng(a..., true); }},
               {"page.jpg", photo, [](auto... a) { return ts::WriteJpeg(a..., 90); }}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::u16string path = Write(c.name, c.picture, c.write);
    const std::optional<platform::ImageSize> size = imaging.ReadImageSize(path);
    ASSERT_TRUE(size && size->width == c.picture.Width());
    const platform::ThumbnailLayout layout = thumbnails::LayoutFor(cell, *size);
    const std::optional<platform::RgbImage> made = imaging.MakeThumbnail(path, layout);
    ASSERT_TRUE(made && made->width == cell.width && made->height == cell.height);
    const ts::Rgb decoded = win32_test_support::GdiplusDecode(path);
    ASSERT_EQ(decoded.width, static_cast<int>(c.picture.Width()));
    const ts::Rgb reduced = ts::BoxReduce(decoded, layout.scaledWidth, layout.scaledHeight);
    const platform::RgbImage reference{reduced.width, reduced.height, reduced.pixels};
    const ts::Difference d =
        ts::Compare(made->pixels, streaming::LetterboxOnWhite(reference, layout).pixels, cell.width,
                    cell.height);
    EXPECT_TRUE(ts::WithinBounds(d)) << "mean " << d.mean << ", largest " << d.largest
                                     << ", worst row or column " << d.worstLine;
  }
}

TEST_F(ThumbnailQualityWin32, APanePictureOfALargeFileIsHeldAtAPanesSize) {
  const std::u16string path =
      Write("large.bmp", ts::TextPage(2500, 1400), [](auto... a) { return ts::WriteBmp(a...); });
  const std::unique_ptr<platform::Picture> picture = imaging.LoadPicture(path);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(std::make_pair(picture->Size().width, picture->Size().height),
            std::make_pair(2500u, 1400u));
  const auto* held = static_cast<const win32::Win32Picture*>(picture.get());
  EXPECT_EQ(std::make_pair(held->BitmapSize().width, held->BitmapSize().height),
            std::make_pair(1024u, 573u));
  BITMAP bitmap{};
  ASSERT_NE(GetObjectW(held->Bitmap(), sizeof bitmap, &bitmap), 0);
  EXPECT_EQ(bitmap.bmWidth, 1024);
}
