#include "platform/headless/HeadlessImaging.h"

#include <utility>

#include "platform/headless/HeadlessOs.h"
#include "platform/headless/HeadlessPicture.h"
#include "platform/headless/ImageDecoder.h"
#include "platform/headless/TextConversions.h"
#include "platform/headless/ThumbnailScaler.h"

namespace headless {

std::optional<platform::ImageSize> HeadlessImaging::ReadImageSize(const std::u16string& path) {
  return ReadImageFileHeader(NativePath(Utf16ToUtf8(path)));
}

std::optional<platform::RgbImage> HeadlessImaging::MakeThumbnail(
    const std::u16string& path, const platform::ThumbnailLayout& layout) {
  const std::optional<platform::RgbImage> picture = DecodeImageFile(NativePath(Utf16ToUtf8(path)));
  if (!picture) return std::nullopt;
  ++picturesDecoded;
  return LetterboxOnWhite(*picture, layout);
}

std::unique_ptr<platform::Picture> HeadlessImaging::LoadPicture(const std::u16string& path) {
  std::optional<platform::RgbImage> picture = DecodeImageFile(NativePath(Utf16ToUtf8(path)));
  if (!picture) return nullptr;
  return std::make_unique<HeadlessPicture>(std::move(*picture), livePictures_);
}

}  // namespace headless
