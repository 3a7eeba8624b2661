#include "platform/win32/Win32Imaging.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/streaming/PictureStream.h"
#include "platform/win32/WindowsHeaders.h"

// Left out by WIN32_LEAN_AND_MEAN, needed by the GDI+ headers.
#include <objidl.h>

#include <gdiplus.h>

namespace win32 {
namespace {

namespace gp = Gdiplus::DllExports;

// A file read front to back, closed with this object. Others may go on
// reading, writing or deleting it meanwhile; its size is the one it had
// when opened.
class FileSource : public streaming::ByteSource {
 public:
  explicit FileSource(const std::u16string& path)
      : file_(CreateFileW(reinterpret_cast<const WCHAR*>(path.c_str()), GENERIC_READ,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN,
                          nullptr)) {
    LARGE_INTEGER size{};
    if (IsOpen() && GetFileSizeEx(file_, &size)) size_ = static_cast<uint64_t>(size.QuadPart);
  }
  ~FileSource() override {
    if (IsOpen()) CloseHandle(file_);
  }
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

  bool IsOpen() const { return file_ != INVALID_HANDLE_VALUE; }
  size_t Read(uint8_t* buffer, size_t size) override {
    DWORD got = 0;
    const DWORD asked = static_cast<DWORD>(std::min<size_t>(size, 1u << 30));
    if (!IsOpen() || !ReadFile(file_, buffer, asked, &got, nullptr)) return 0;
    read_ += got;
    return got;
  }
  uint64_t SizeLeft() const override {
    if (size_ == UINT64_MAX) return UINT64_MAX;
    return read_ < size_ ? size_ - read_ : 0;
  }

 private:
  HANDLE file_;
  uint64_t size_ = UINT64_MAX;
  uint64_t read_ = 0;
};

// A GDI+ image, disposed with this object.
class GdiplusImage {
 public:
  GdiplusImage() = default;
  ~GdiplusImage() {
    if (image_ != nullptr) gp::GdipDisposeImage(image_);
  }
  GdiplusImage(const GdiplusImage&) = delete;
  GdiplusImage& operator=(const GdiplusImage&) = delete;
  Gdiplus::GpImage* Get() const { return image_; }
  Gdiplus::GpImage** Out() { return &image_; }

 private:
  Gdiplus::GpImage* image_ = nullptr;
};

// The picture of the file without colour management; only its header has
// been read so far. Null when the file is not a picture.
bool OpenPicture(const std::u16string& path, GdiplusImage& picture) {
  Gdiplus::GpBitmap* bitmap = nullptr;
  if (gp::GdipCreateBitmapFromFile(reinterpret_cast<const WCHAR*>(path.c_str()), &bitmap) !=
          Gdiplus::Ok ||
      bitmap == nullptr) {
    return false;
  }
  *picture.Out() = bitmap;
  return true;
}

std::optional<platform::ImageSize> SizeOf(const GdiplusImage& picture) {
  UINT width = 0, height = 0;
  if (gp::GdipGetImageWidth(picture.Get(), &width) != Gdiplus::Ok ||
      gp::GdipGetImageHeight(picture.Get(), &height) != Gdiplus::Ok || width == 0 ||
      height == 0 ||
      static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > platform::kMaxImagePixels) {
    return std::nullopt;
  }
  return platform::ImageSize{width, height};
}

// The pixels of a device-dependent bitmap as RGB rows, top first.
std::optional<platform::RgbImage> PixelsOf(HDC dc, HBITMAP bitmap, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
  std::vector<uint8_t> bits(stride * static_cast<size_t>(height));
  if (GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), bits.data(), &info, DIB_RGB_COLORS) !=
      height) {
    return std::nullopt;
  }
  platform::RgbImage image;
  image.width = width;
  image.height = height;
  image.pixels.resize(static_cast<size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    const uint8_t* in = bits.data() + static_cast<size_t>(y) * stride;
    uint8_t* out = image.pixels.data() + static_cast<size_t>(y) * width * 3;
    for (int x = 0; x < width; ++x, in += 3, out += 3) {
      out[0] = in[2];
      out[1] = in[1];
      out[2] = in[0];
    }
  }
  return image;
}

// The fast thumbnail drawn with halftone stretching into a white cell
// compatible with the display.
std::optional<platform::RgbImage> Letterbox(HBITMAP thumbnail,
                                            const platform::ThumbnailLayout& layout) {
  HDC screen = GetDC(nullptr);
  HDC source = CreateCompatibleDC(screen);
  HDC target = CreateCompatibleDC(screen);
  HBITMAP cell = CreateCompatibleBitmap(screen, layout.cellWidth, layout.cellHeight);
  std::optional<platform::RgbImage> result;
  if (source != nullptr && target != nullptr && cell != nullptr) {
    HGDIOBJ oldSource = SelectObject(source, thumbnail);
    HGDIOBJ oldTarget = SelectObject(target, cell);
    RECT all{0, 0, layout.cellWidth, layout.cellHeight};
    FillRect(target, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetStretchBltMode(target, HALFTONE);
    SetBrushOrgEx(target, 0, 0, nullptr);
    StretchBlt(target, layout.placement.left, layout.placement.top, layout.placement.Width(),
               layout.placement.Height(), source, 0, 0, layout.scaledWidth, layout.scaledHeight,
               SRCCOPY);
    SelectObject(source, oldSource);
    SelectObject(target, oldTarget);
    result = PixelsOf(screen, cell, layout.cellWidth, layout.cellHeight);
  }
  if (cell != nullptr) DeleteObject(cell);
  if (target != nullptr) DeleteDC(target);
  if (source != nullptr) DeleteDC(source);
  ReleaseDC(nullptr, screen);
  return result;
}

}  // namespace

HBITMAP DibSectionOf(const platform::RgbImage& image) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = image.width;
  info.bmiHeader.biHeight = -image.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr || bits == nullptr) {
    if (bitmap != nullptr) DeleteObject(bitmap);
    return nullptr;
  }
  const size_t stride = (static_cast<size_t>(image.width) * 3 + 3) & ~static_cast<size_t>(3);
  for (int y = 0; y < image.height; ++y) {
    const uint8_t* in = image.pixels.data() + static_cast<size_t>(y) * image.width * 3;
    uint8_t* out = static_cast<uint8_t*>(bits) + static_cast<size_t>(y) * stride;
    for (int x = 0; x < image.width; ++x, in += 3, out += 3) {
      out[0] = in[2];
      out[1] = in[1];
      out[2] = in[0];
    }
  }
  GdiFlush();
  return bitmap;
}

Win32Picture::~Win32Picture() {
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
}

bool Win32Imaging::Start() {
  if (started_) return true;
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return false;
  token_ = token;
  started_ = true;
  return true;
}

std::optional<platform::ImageSize> Win32Imaging::ReadImageSize(const std::u16string& path) {
  {
    FileSource file(path);
    if (!file.IsOpen()) return std::nullopt;
    const streaming::Header header = streaming::ReadHeader(file);
    if (header.outcome == streaming::Outcome::Done) return header.size;
    if (header.outcome == streaming::Outcome::Refused) return std::nullopt;
  }
  if (!Start()) return std::nullopt;
  GdiplusImage picture;
  if (!OpenPicture(path, picture)) return std::nullopt;
  return SizeOf(picture);
}

std::optional<platform::RgbImage> Win32Imaging::MakeThumbnail(
    const std::u16string& path, const platform::ThumbnailLayout& layout) {
  if (layout.cellWidth <= 0 || layout.cellHeight <= 0 || layout.scaledWidth <= 0 ||
      layout.scaledHeight <= 0) {
    return std::nullopt;
  }
  {
    FileSource file(path);
    if (!file.IsOpen()) return std::nullopt;
    streaming::Reduced cell = streaming::ThumbnailCell(file, layout);
    if (cell.outcome == streaming::Outcome::Done) return std::move(cell.pixels);
    if (cell.outcome == streaming::Outcome::Refused) return std::nullopt;
  }
  // Other formats: the GDI+ thumbnail, drawn into the cell with halftone.
  if (!Start()) return std::nullopt;
  GdiplusImage picture;
  if (!OpenPicture(path, picture) || !SizeOf(picture)) return std::nullopt;
  GdiplusImage thumbnail;
  if (gp::GdipGetImageThumbnail(picture.Get(), static_cast<UINT>(layout.scaledWidth),
                                static_cast<UINT>(layout.scaledHeight), thumbnail.Out(), nullptr,
                                nullptr) != Gdiplus::Ok ||
      thumbnail.Get() == nullptr) {
    return std::nullopt;
  }
  HBITMAP bitmap = nullptr;
  constexpr Gdiplus::ARGB kOpaqueWhite = 0xFFFFFFFF;
  if (gp::GdipCreateHBITMAPFromBitmap(static_cast<Gdiplus::GpBitmap*>(thumbnail.Get()), &bitmap,
                                      kOpaqueWhite) != Gdiplus::Ok ||
      bitmap == nullptr) {
    return std::nullopt;
  }
  std::optional<platform::RgbImage> cell = Letterbox(bitmap, layout);
  DeleteObject(bitmap);
  return cell;
}

std::unique_ptr<platform::Picture> Win32Imaging::LoadPicture(const std::u16string& path) {
  {
    FileSource file(path);
    if (!file.IsOpen()) return nullptr;
    const streaming::Reduced picture = streaming::ReducePicture(file, streaming::PanePictureSize);
    if (picture.outcome == streaming::Outcome::Refused) return nullptr;
    if (picture.outcome == streaming::Outcome::Done) {
      HBITMAP bitmap = DibSectionOf(picture.pixels);
      if (bitmap == nullptr) return nullptr;
      const platform::ImageSize held{static_cast<uint32_t>(picture.pixels.width),
                                     static_cast<uint32_t>(picture.pixels.height)};
      return std::make_unique<Win32Picture>(bitmap, picture.size, held);
    }
  }
  // Other formats: GDI+ decodes the picture, and a pane's size of it is
  // kept.
  if (!Start()) return nullptr;
  GdiplusImage picture;
  if (!OpenPicture(path, picture)) return nullptr;
  const std::optional<platform::ImageSize> size = SizeOf(picture);
  if (!size) return nullptr;
  const platform::ImageSize held = streaming::PanePictureSize(*size);
  GdiplusImage thumbnail;
  if (gp::GdipGetImageThumbnail(picture.Get(), held.width, held.height, thumbnail.Out(), nullptr,
                                nullptr) != Gdiplus::Ok ||
      thumbnail.Get() == nullptr) {
    return nullptr;
  }
  HBITMAP bitmap = nullptr;
  constexpr Gdiplus::ARGB kOpaqueWhite = 0xFFFFFFFF;
  if (gp::GdipCreateHBITMAPFromBitmap(static_cast<Gdiplus::GpBitmap*>(thumbnail.Get()), &bitmap,
                                      kOpaqueWhite) != Gdiplus::Ok ||
      bitmap == nullptr) {
    return nullptr;
  }
  return std::make_unique<Win32Picture>(bitmap, *size, held);
}

}  // namespace win32
