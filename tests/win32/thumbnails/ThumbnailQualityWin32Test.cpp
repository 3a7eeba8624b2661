// The Windows build's thumbnails and pane pictures under Wine: the cells
// Win32Imaging makes of BMP, JPEG and PNG files match the box reference
// within the bounds the native tests hold, agree with GDI+'s own full
// decode of the same file, and a large picture is held at a pane's size.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/streaming/AreaReducer.h"
#include "platform/win32/Win32Imaging.h"
#include "platform/win32/WindowsHeaders.h"
#include "support/BoxReference.h"
#include "support/PictureWriters.h"
#include "support/TextPage.h"
#include "thumbnails/ThumbnailGeometry.h"

// Left out by WIN32_LEAN_AND_MEAN, needed by the GDI+ headers.
#include <objidl.h>

#include <gdiplus.h>

#include "win32/support/GdiplusDecode.h"
#include "win32/support/TestPictures.h"

namespace {

using testing_support::Rgb;
using testing_support::TextPage;

enum class Kind { Bmp24, Bmp8TopDown, Bmp32Alpha, PngInterlaced, Jpeg };

class ThumbnailQualityWin32 : public ::testing::Test {
 protected:
  void SetUp() override {
    Gdiplus::GdiplusStartupInput input;
    ASSERT_EQ(Gdiplus::GdiplusStartup(&token_, &input, nullptr), Gdiplus::Ok);
  }
  void TearDown() override {
    for (const std::u16string& file : files_) DeleteFileW(reinterpret_cast<const wchar_t*>(file.c_str()));
  }

  std::u16string Write(const std::wstring& name, const TextPage& page, Kind kind) {
    files_.push_back(win32_test_support::TempFile(L"prismel-quality", name));
    FILE* file = _wfopen(reinterpret_cast<const wchar_t*>(files_.back().c_str()), L"wb");
    EXPECT_NE(file, nullptr);
    if (file == nullptr) return files_.back();
    const testing_support::RowSource rows = [&page](uint32_t y, uint8_t* rgb) { page.Row(y, rgb); };
    bool written = false;
    switch (kind) {
      case Kind::Bmp24:
        written = testing_support::WriteBmp(file, page.Width(), page.Height(), rows);
        break;
      case Kind::Bmp8TopDown:
        written = testing_support::WriteBmp(file, page.Width(), page.Height(), rows, BmpKind(kind));
        break;
      case Kind::Bmp32Alpha:
        written = testing_support::WriteBmp(file, page.Width(), page.Height(), rows, BmpKind(kind));
        break;
      case Kind::PngInterlaced:
        written = testing_support::WritePng(file, page.Width(), page.Height(), rows, true);
        break;
      case Kind::Jpeg:
        written = testing_support::WriteJpeg(file, page.Width(), page.Height(), rows, 90);
        break;
    }
    EXPECT_TRUE(written);
    fclose(file);
    return files_.back();
  }

  static testing_support::BmpKind BmpKind(Kind kind) {
    testing_support::BmpKind bmp;
    if (kind == Kind::Bmp8TopDown) {
      bmp.bits = 8;
      bmp.topDown = true;
    } else if (kind == Kind::Bmp32Alpha) {
      bmp.bits = 32;
      bmp.alphaMask = true;
      bmp.alpha = 160;
    }
    return bmp;
  }

  // The page as the file stores it, for the lossless kinds.
  static Rgb Stored(const TextPage& page, Kind kind) {
    Rgb rgb{static_cast<int>(page.Width()), static_cast<int>(page.Height()), {}};
    rgb.pixels.resize(static_cast<size_t>(rgb.width) * rgb.height * 3);
    for (uint32_t y = 0; y < page.Height(); ++y) {
      uint8_t* row = rgb.pixels.data() + static_cast<size_t>(y) * rgb.width * 3;
      page.Row(y, row);
      if (kind == Kind::Bmp8TopDown || kind == Kind::Bmp32Alpha) {
        for (uint32_t x = 0; x < page.Width(); ++x) testing_support::StoredColour(BmpKind(kind), row + x * 3);
      }
    }
    return rgb;
  }

  // The cell the box reference of `whole` gives.
  static std::vector<uint8_t> ReferenceCell(const Rgb& whole, const platform::ThumbnailLayout& layout) {
    const Rgb fast = testing_support::BoxReduce(whole, layout.scaledWidth, layout.scaledHeight);
    platform::RgbImage image{fast.width, fast.height, fast.pixels};
    return streaming::LetterboxOnWhite(image, layout).pixels;
  }

  win32::Win32Imaging imaging;
  std::vector<std::u16string> files_;
  ULONG_PTR token_ = 0;
};

void ExpectWithinBounds(const std::vector<uint8_t>& cell, const std::vector<uint8_t>& reference,
                        const thumbnails::CellSize& size) {
  const testing_support::Difference d = testing_support::Compare(cell, reference, size.width, size.height);
  EXPECT_TRUE(testing_support::WithinBounds(d))
      << "mean " << d.mean << ", largest " << d.largest << ", worst row or column " << d.worstLine;
}

}  // namespace

TEST_F(ThumbnailQualityWin32, CellsMatchTheBoxReferenceAndTheSystemsDecode) {
  const TextPage page(601, 451);
  const thumbnails::CellSize cell = thumbnails::CellForClientWidth(150);
  const struct {
    const wchar_t* name;
    Kind kind;
  } cases[] = {{L"page24.bmp", Kind::Bmp24},
               {L"page8.bmp", Kind::Bmp8TopDown},
               {L"page32.bmp", Kind::Bmp32Alpha},
               {L"page.png", Kind::PngInterlaced},
               {L"page.jpg", Kind::Jpeg}};
  // JPEG thumbnails are held to the bounds at camera-like sizes, where a
  // thumbnail pixel spans several of the blocks a scaled decode averages.
  const TextPage photo(2400, 1800, 5);
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name, c.name + wcslen(c.name)));
    const TextPage& picture = c.kind == Kind::Jpeg ? photo : page;
    const std::u16string path = Write(c.name, picture, c.kind);
    const std::optional<platform::ImageSize> size = imaging.ReadImageSize(path);
    ASSERT_TRUE(size);
    EXPECT_EQ(size->width, picture.Width());
    const platform::ThumbnailLayout layout = thumbnails::LayoutFor(cell, *size);
    const std::optional<platform::RgbImage> made = imaging.MakeThumbnail(path, layout);
    ASSERT_TRUE(made);
    ASSERT_EQ(made->width, cell.width);
    ASSERT_EQ(made->height, cell.height);
    if (c.kind != Kind::Jpeg) {
      ExpectWithinBounds(made->pixels, ReferenceCell(Stored(page, c.kind), layout), cell);
    }
    // GDI+ shows the alpha of a BMP as opaque; everything else it decodes
    // as the streaming decoders do.
    if (c.kind == Kind::Bmp32Alpha) continue;
    const Rgb decoded = win32_test_support::GdiplusDecode(path);
    ASSERT_EQ(decoded.width, static_cast<int>(picture.Width()));
    ExpectWithinBounds(made->pixels, ReferenceCell(decoded, layout), cell);
  }
}

TEST_F(ThumbnailQualityWin32, APanePictureOfALargeFileIsHeldAtAPanesSize) {
  const std::u16string path = Write(L"large.bmp", TextPage(2500, 1400), Kind::Bmp24);
  const std::unique_ptr<platform::Picture> picture = imaging.LoadPicture(path);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->Size().width, 2500u);
  EXPECT_EQ(picture->Size().height, 1400u);
  const auto* held = static_cast<const win32::Win32Picture*>(picture.get());
  EXPECT_EQ(held->BitmapSize().width, 1024u);
  EXPECT_EQ(held->BitmapSize().height, 573u);
  BITMAP bitmap{};
  ASSERT_NE(GetObjectW(held->Bitmap(), sizeof bitmap, &bitmap), 0);
  EXPECT_EQ(bitmap.bmWidth, 1024);
}
