#include "platform/headless/HeadlessImaging.h"

#include "platform/headless/HeadlessOs.h"
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

}  // namespace headless
