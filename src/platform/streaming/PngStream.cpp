// PNG through libpng, one row at a time. Every colour type and depth comes
// out as 8-bit RGB; transparency is laid over white. An interlaced picture
// is read as its seven passes, each pass's pixels put where they belong.
//
// A chunk's declared length is never trusted with memory: libpng allocates
// through PngMemory, which grants no block larger than kPngStateBytes until
// the header is accepted and kPngStateBytes + 8 bytes per pixel of width
// after (the widest row libpng works on, 16-bit RGBA, and its copy of the
// row before are one such block each). The ancillary chunks, which name
// colour spaces, texts and times this decoder does not use, are skipped in
// small pieces instead of being read whole; a chunk longer than what is
// left of the file then ends it as cut short.
#include <csetjmp>
#include <cstdlib>
#include <memory>
#include <vector>

#include <png.h>

#include "platform/streaming/AreaReducer.h"
#include "platform/streaming/Decoders.h"

namespace streaming::detail {
namespace {

constexpr int kAdam7Passes = 7;
// What libpng and zlib hold besides the rows: their structures, palette
// and transparency tables, the inflate state and its 32 KB window, the
// 8 KB piece of IDAT read at a time.
constexpr size_t kPngStateBytes = 64 * 1024;
// The widest PNG read: libpng's own default limit, set for every build.
constexpr png_uint_32 kMaxPngSide = 1'000'000;

// The largest block libpng may allocate now; a larger request fails, and
// libpng then ends the read with an error.
struct PngMemory {
  size_t largest = kPngStateBytes;
};

png_voidp Allocate(png_structp png, png_alloc_size_t size) {
  const auto* memory = static_cast<const PngMemory*>(png_get_mem_ptr(png));
  if (size > memory->largest) return nullptr;
  return std::malloc(size);
}
void Release(png_structp, png_voidp block) { std::free(block); }

// Everything that must outlive a jump out of libpng lives here, in the
// caller's frame: the function that sets the jump point holds only plain
// data, so no destructor is ever skipped.
struct PngRun {
  Reader* reader = nullptr;
  const SizeChoice* choose = nullptr;
  platform::ImageSize declared;
  bool headerRead = false;
  bool accepted = false;
  PngMemory memory;
  std::unique_ptr<AreaReducer> reducer;
  std::vector<uint8_t> row;
  std::vector<uint8_t> rgb;
};

void ReadData(png_structp png, png_bytep data, size_t length) {
  auto* reader = static_cast<Reader*>(png_get_io_ptr(png));
  if (reader->Read(data, length) != length) png_error(png, "file cut short");
}

// No message reaches the console; an error ends the read.
[[noreturn]] void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnWarning(png_structp, png_const_charp) {}

// Sets up the reducer and the row buffers (outside the jump function,
// since it allocates).
void Prepare(PngRun& run, platform::ImageSize target, size_t rowBytes, bool interlaced) {
  run.reducer = std::make_unique<AreaReducer>(
      run.declared.width, run.declared.height, static_cast<int>(target.width),
      static_cast<int>(target.height),
      interlaced ? AreaReducer::Order::Any : AreaReducer::Order::TopDown);
  run.row.resize(rowBytes);
  run.rgb.resize(static_cast<size_t>(run.declared.width) * 3);
}

// `count` RGBA pixels laid over white, as RGB.
void OverWhite(const uint8_t* rgba, uint32_t count, uint8_t* rgb) {
  for (uint32_t i = 0; i < count; ++i) {
    const unsigned a = rgba[i * 4 + 3];
    const unsigned clear = 255u - a;
    for (int c = 0; c < 3; ++c) {
      rgb[i * 3 + c] = static_cast<uint8_t>((rgba[i * 4 + c] * a + 255u * clear + 127u) / 255u);
    }
  }
}

void AddPassRow(PngRun& run, int pass, uint32_t y, uint32_t count, int channels) {
  const uint8_t* pixels = run.row.data();
  if (channels == 4) {
    OverWhite(run.row.data(), count, run.rgb.data());
    pixels = run.rgb.data();
  }
  if (pass < 0) {
    run.reducer->AddRow(y, pixels);
  } else {
    run.reducer->AddPixels(y, PNG_PASS_START_COL(pass), 1u << PNG_PASS_COL_SHIFT(pass), count,
                           pixels);
  }
}

bool RunPng(PngRun& run) {
  png_structp png = png_create_read_struct_2(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning,
                                             &run.memory, Allocate, Release);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png)) != 0) {
    png_destroy_read_struct(&png, &info, nullptr);
    // Rows read before the error are kept.
    return run.reducer != nullptr && run.reducer->Received();
  }
  png_set_read_fn(png, run.reader, ReadData);
  // Checksums are not computed: a damaged file shows damaged pixels in a
  // thumbnail, as it would in a viewer, and reading stays within bounds
  // all the same. They cost a tenth of the time of a large picture.
  png_set_crc_action(png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
#ifdef PNG_IGNORE_ADLER32
  png_set_option(png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
#endif
  png_set_user_limits(png, kMaxPngSide, kMaxPngSide);
  // Every ancillary chunk but tRNS is skipped unread (tRNS is at most 256
  // entries, checked against the palette); none is kept, and the texts
  // and profiles that libpng would inflate stay within the state's bound.
  png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
  png_set_chunk_cache_max(png, 1);
  png_set_chunk_malloc_max(png, kPngStateBytes);
  png_read_info(png, info);
  png_uint_32 width = 0, height = 0;
  int depth = 0, colourType = 0, interlace = 0;
  png_get_IHDR(png, info, &width, &height, &depth, &colourType, &interlace, nullptr, nullptr);
  run.declared = platform::ImageSize{width, height};
  run.headerRead = true;
  run.accepted = AcceptSize(width, height).has_value();
  if (run.choose == nullptr || !run.accepted) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  const platform::ImageSize target = Chosen(*run.choose, run.declared);
  run.memory.largest = kPngStateBytes + 8 * static_cast<size_t>(width);

  png_set_expand(png);
  if (depth == 16) png_set_scale_16(png);
  if ((colourType & PNG_COLOR_MASK_COLOR) == 0) png_set_gray_to_rgb(png);
  png_read_update_info(png, info);
  const int channels = png_get_channels(png, info);
  const size_t rowBytes = png_get_rowbytes(png, info);
  if ((channels != 3 && channels != 4) || rowBytes != static_cast<size_t>(width) * channels) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  const bool interlaced = interlace == PNG_INTERLACE_ADAM7;
  Prepare(run, target, rowBytes, interlaced);

  if (!interlaced) {
    for (png_uint_32 y = 0; y < height; ++y) {
      png_read_row(png, run.row.data(), nullptr);
      AddPassRow(run, -1, y, width, channels);
    }
  } else {
    // Without libpng's own interlace handling every row read is one row of
    // the current pass; passes without pixels are skipped by libpng too.
    for (int pass = 0; pass < kAdam7Passes; ++pass) {
      const png_uint_32 columns = PNG_PASS_COLS(width, pass);
      const png_uint_32 rows = PNG_PASS_ROWS(height, pass);
      if (columns == 0 || rows == 0) continue;
      for (png_uint_32 r = 0; r < rows; ++r) {
        png_read_row(png, run.row.data(), nullptr);
        const png_uint_32 y = PNG_PASS_START_ROW(pass) + (r << PNG_PASS_ROW_SHIFT(pass));
        AddPassRow(run, pass, y, columns, channels);
      }
    }
  }
  // What follows the pixels is not read.
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

}  // namespace

Reduced DecodePng(Reader& reader, const SizeChoice* choose) {
  PngRun run;
  run.reader = &reader;
  run.choose = choose;
  const bool decoded = RunPng(run);
  if (!run.headerRead || !run.accepted) return {};
  return ResultOf(run.declared, choose == nullptr, decoded, run.reducer.get());
}

}  // namespace streaming::detail
