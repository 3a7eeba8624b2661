// JPEG through libjpeg(-turbo), scaled while it decodes: the smallest of
// its scales 1/8 ... 8/8 that is a few times the wanted size, then area
// averaging row by row. Baseline pictures never hold more than a few rows;
// progressive ones need libjpeg's coefficient buffer, as in any decoder,
// 128 bytes for each 8 x 8 block of every component. That buffer is
// allowed only as large as the rest of the file can fill: each block takes
// at least one bit of the first scan, so a file of N bytes fills at most
// 8 N blocks. libjpeg refuses a picture that would need more (it has no
// backing store to fall back on), before it allocates the buffer.
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <memory>
#include <vector>

#include <jpeglib.h>
// After jpeglib.h, which it needs.
#include <jerror.h>

#include "platform/streaming/AreaReducer.h"
#include "platform/streaming/Decoders.h"

namespace streaming::detail {
namespace {

constexpr size_t kReadBytes = 64 * 1024;
// Results up to this many pixels a side count as thumbnails.
constexpr uint32_t kThumbnailSide = 256;
// libjpeg's own working memory besides the coefficient buffer: rows of the
// widest picture, 65,500 pixels, with every component, and its tables.
constexpr uint64_t kJpegWorkingBytes = 16u << 20;
// The coefficient buffer never exceeds this, however long the file: 44
// megapixels with full colour resolution, 89 with the usual halved
// chrominance.
constexpr uint64_t kMaxCoefficientBytes = 256u << 20;
constexpr uint64_t kCoefficientBytesPerFileByte = 8 * sizeof(JBLOCK);

// What libjpeg may hold for a picture with `fileBytesLeft` of its file
// still unread.
long JpegMemoryAllowed(uint64_t fileBytesLeft) {
  const uint64_t fillable = fileBytesLeft > kMaxCoefficientBytes / kCoefficientBytesPerFileByte
                                ? kMaxCoefficientBytes
                                : fileBytesLeft * kCoefficientBytesPerFileByte;
  return static_cast<long>(kJpegWorkingBytes + fillable);
}

// libjpeg reports errors by calling error_exit, which must not return.
struct JpegErrors {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

[[noreturn]] void LeaveJpeg(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1);
}
void IgnoreJpegMessage(j_common_ptr) {}

// The file through the reader, in the pieces the reader has.
struct JpegSource {
  jpeg_source_mgr manager;
  Reader* reader;
};

void InitSource(j_decompress_ptr) {}
void TermSource(j_decompress_ptr) {}

const JOCTET kEndOfImage[] = {0xFF, JPEG_EOI};

boolean FillInput(j_decompress_ptr info) {
  auto* source = reinterpret_cast<JpegSource*>(info->src);
  size_t got = 0;
  const uint8_t* view = source->reader->TakeSome(kReadBytes, &got);
  if (got == 0) {
    // A file cut short ends as if its end marker followed: libjpeg then
    // gives the rest of the picture flat, as it does for files on disk.
    WARNMS(info, JWRN_JPEG_EOF);
    source->manager.next_input_byte = kEndOfImage;
    source->manager.bytes_in_buffer = sizeof kEndOfImage;
    return TRUE;
  }
  source->manager.next_input_byte = view;
  source->manager.bytes_in_buffer = got;
  return TRUE;
}

void SkipInput(j_decompress_ptr info, long count) {
  auto* source = reinterpret_cast<JpegSource*>(info->src);
  if (count <= 0) return;
  const size_t skip = static_cast<size_t>(count);
  if (skip <= source->manager.bytes_in_buffer) {
    source->manager.next_input_byte += skip;
    source->manager.bytes_in_buffer -= skip;
    return;
  }
  const size_t rest = skip - source->manager.bytes_in_buffer;
  source->manager.bytes_in_buffer = 0;
  // Past the end, the next read inserts the end marker.
  (void)source->reader->Skip(rest);
}

// Everything that must outlive a jump out of libjpeg lives here, in the
// caller's frame: the function that sets the jump point holds only plain
// data, so no destructor is ever skipped.
struct JpegRun {
  Reader* reader = nullptr;
  const SizeChoice* choose = nullptr;
  platform::ImageSize declared;
  bool headerRead = false;
  std::unique_ptr<AreaReducer> reducer;
  std::vector<uint8_t> row;
};

// Sets up the reducer for the decoder's scaled size (outside the jump
// function, since it allocates).
bool Prepare(JpegRun& run, jpeg_decompress_struct& info, platform::ImageSize target) {
  if (info.output_components != 3 || info.output_width == 0 || info.output_height == 0) {
    return false;
  }
  run.reducer = std::make_unique<AreaReducer>(info.output_width, info.output_height,
                                              static_cast<int>(target.width),
                                              static_cast<int>(target.height),
                                              AreaReducer::Order::TopDown);
  run.row.resize(static_cast<size_t>(info.output_width) * 3);
  return true;
}

// The smallest scale M/8 whose output is a few times `target` on both
// sides, or the full size. libjpeg's smaller scales average whole 8 x 8
// blocks; averaged once more into a thumbnail whose pixels cut through
// blocks, fine print would show blotches at less than four blocks' worth
// per pixel. Larger results (pane pictures) are decoded at twice their size.
void ChooseScale(jpeg_decompress_struct& info, platform::ImageSize target) {
  const unsigned oversample = target.width <= kThumbnailSide && target.height <= kThumbnailSide
                                  ? 4u
                                  : 2u;
  info.scale_denom = 8;
  for (unsigned m = 1; m <= 8; ++m) {
    info.scale_num = m;
    jpeg_calc_output_dimensions(&info);
    if (info.output_width >= oversample * target.width &&
        info.output_height >= oversample * target.height) {
      return;
    }
  }
}

bool RunJpeg(JpegRun& run) {
  jpeg_decompress_struct info;
  JpegErrors errors;
  JpegSource source;
  info.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = LeaveJpeg;
  errors.manager.output_message = IgnoreJpegMessage;
  if (setjmp(errors.jump) != 0) {
    jpeg_destroy_decompress(&info);
    // Rows decoded before the error are kept.
    return run.reducer != nullptr && run.reducer->Received();
  }
  jpeg_create_decompress(&info);
  source.manager.init_source = InitSource;
  source.manager.fill_input_buffer = FillInput;
  source.manager.skip_input_data = SkipInput;
  source.manager.resync_to_restart = jpeg_resync_to_restart;
  source.manager.term_source = TermSource;
  source.manager.next_input_byte = nullptr;
  source.manager.bytes_in_buffer = 0;
  source.reader = run.reader;
  info.src = &source.manager;
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  run.declared = platform::ImageSize{info.image_width, info.image_height};
  run.headerRead = true;
  const std::optional<platform::ImageSize> accepted =
      AcceptSize(info.image_width, info.image_height);
  if (run.choose == nullptr || !accepted) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  const platform::ImageSize target = Chosen(*run.choose, *accepted);
  info.out_color_space = JCS_RGB;
  ChooseScale(info, target);
  // What libjpeg has taken from the reader but not decoded is file too.
  const uint64_t unread = run.reader->SizeLeft();
  info.mem->max_memory_to_use = JpegMemoryAllowed(
      unread == UINT64_MAX ? unread : unread + source.manager.bytes_in_buffer);
  jpeg_start_decompress(&info);
  if (!Prepare(run, info, target)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  while (info.output_scanline < info.output_height) {
    const JDIMENSION y = info.output_scanline;
    JSAMPROW row = run.row.data();
    if (jpeg_read_scanlines(&info, &row, 1) != 1) break;
    run.reducer->AddRow(y, run.row.data());
  }
  // The rest of the file (markers after the picture) is not read.
  jpeg_destroy_decompress(&info);
  return true;
}

}  // namespace

Reduced DecodeJpeg(Reader& reader, const SizeChoice* choose) {
  Reduced result;
  JpegRun run;
  run.reader = &reader;
  run.choose = choose;
  const bool decoded = RunJpeg(run);
  if (!run.headerRead) return result;
  const std::optional<platform::ImageSize> size =
      AcceptSize(run.declared.width, run.declared.height);
  if (!size) return result;
  return ResultOf(*size, choose == nullptr, decoded, run.reducer.get());
}

}  // namespace streaming::detail
