// The streaming decoders' fuzz targets, one per picture format (BMP, JPEG,
// PNG) built from this file with PRISMEL_STREAM_FORMAT naming the format:
// files as the thumbnail list and the merge preview's panes read them, from
// arbitrary bytes. The header and the reduced picture agree, the result has
// exactly the size asked for, the thumbnail cell its layout's size, and no
// block a decoder allocates is larger than what the input can justify.

#include <sanitizer/allocator_interface.h>

#include <cstddef>
#include <cstdint>

#include "platform/streaming/PictureStream.h"
#include "thumbnails/ThumbnailGeometry.h"

namespace {

void Check(bool holds) {
  if (!holds) __builtin_trap();
}

// The largest block a decode may allocate: the reader's buffer, the
// result and the decoders' tables (4 MB), rows of 16 bytes a pixel of the
// declared width, and 1 KB for each byte of input (a progressive JPEG's
// coefficients). A decoder that trusts a declared length traps here, at
// the request, instead of when its pages are touched.
size_t g_largestBlock = SIZE_MAX;

void OnAllocation(const volatile void*, size_t size) { Check(size <= g_largestBlock); }
void OnRelease(const volatile void*) {}

// Checks the blocks of `decode`'s allocations against the bound for a
// picture `width` pixels wide (0 before its header is known).
template <typename Decode>
auto Bounded(size_t inputBytes, uint32_t width, Decode decode) {
  static const int installed = __sanitizer_install_malloc_and_free_hooks(OnAllocation, OnRelease);
  (void)installed;
  g_largestBlock = (size_t{4} << 20) + size_t{16} * width + size_t{1024} * inputBytes;
  auto result = decode();
  g_largestBlock = SIZE_MAX;
  return result;
}

int Run(const uint8_t* data, size_t size, streaming::PictureFormat format) {
  if (streaming::FormatOf(data, size) != format) return 0;
  streaming::MemorySource headerSource(data, size);
  const streaming::Header header =
      Bounded(size, 0, [&] { return streaming::ReadHeader(headerSource); });
  Check(header.format == format);
  // BMPs holding a JPEG or PNG are left to the platform's decoder.
  if (header.outcome != streaming::Outcome::Done) return 0;
  Check(static_cast<uint64_t>(header.size.width) * header.size.height <= platform::kMaxImagePixels);
  // libjpeg decodes every block of a declared picture, data or not (a
  // progressive one holds them all): larger ones would only measure
  // libjpeg and the allocator.
  if (format == streaming::PictureFormat::Jpeg &&
      static_cast<uint64_t>(header.size.width) * header.size.height > 250'000) {
    return 0;
  }

  // The last byte picks a list width: narrow lists included. Cells stay
  // small so that the decoders, not the averaging, take the time.
  const int clientWidth = 40 + static_cast<int>(data[size - 1] % 64);
  const thumbnails::CellSize cell = thumbnails::CellForClientWidth(clientWidth);
  const platform::ThumbnailLayout layout = thumbnails::LayoutFor(cell, header.size);
  streaming::MemorySource cellSource(data, size);
  const streaming::Reduced thumbnail = Bounded(
      size, header.size.width, [&] { return streaming::ThumbnailCell(cellSource, layout); });
  Check(thumbnail.outcome != streaming::Outcome::NotMine);
  if (thumbnail.outcome == streaming::Outcome::Done) {
    Check(thumbnail.size.width == header.size.width && thumbnail.size.height == header.size.height);
    Check(thumbnail.pixels.width == cell.width && thumbnail.pixels.height == cell.height);
    Check(thumbnail.pixels.pixels.size() == static_cast<size_t>(cell.width) * cell.height * 3);
  }

  // The pane's path is the same with a larger result: small pictures only,
  // for speed.
  if (static_cast<uint64_t>(header.size.width) * header.size.height > 65'536) return 0;
  streaming::MemorySource paneSource(data, size);
  const streaming::Reduced pane = Bounded(size, header.size.width, [&] {
    return streaming::ReducePicture(paneSource, streaming::PanePictureSize);
  });
  if (pane.outcome == streaming::Outcome::Done) {
    const platform::ImageSize held = streaming::PanePictureSize(pane.size);
    Check(pane.pixels.width == static_cast<int>(held.width) &&
          pane.pixels.height == static_cast<int>(held.height));
    Check(pane.pixels.pixels.size() == static_cast<size_t>(held.width) * held.height * 3);
  }
  return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return Run(data, size, streaming::PictureFormat::PRISMEL_STREAM_FORMAT);
}
