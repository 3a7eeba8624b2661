// The thumbnail benchmark, natively: the product's thumbnail path (the
// header read and the thumbnail cell, as the thumbnail list makes them) next
// to libvips' vips_thumbnail and ImageMagick's thumbnail on the same files,
// all in this process, files in the page cache. Prints medians, the ratios
// to each peer and the extra peak memory of each, measured in a fresh child
// process per figure.
//
//   ThumbnailBench FOLDER                  the whole table (pictures in FOLDER)
//   ThumbnailBench --memory TOOL FILE      child: extra peak memory in KiB
//   ThumbnailBench --repeat FILE COUNT     child: peak after 1 and COUNT thumbnails
//   ThumbnailBench --time TOOL FILE        one median, for looking closer
//   ThumbnailBench --cpu TOOL FILE         the same in this thread's processor time
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <zlib.h>
#include <vips/vips.h>
#include <wand/MagickWand.h>

#include "BenchPictures.h"
#include "platform/streaming/PictureStream.h"
#include "support/BoxReference.h"
#include "support/TextPage.h"
#include "platform/headless/HeadlessImaging.h"
#include "thumbnails/ThumbnailGeometry.h"

namespace {

// The thumbnail list of the capture window: 150 pixels of client width.
const thumbnails::CellSize kCell = thumbnails::CellForClientWidth(150);

std::u16string Wide(const std::string& path) { return std::u16string(path.begin(), path.end()); }

platform::ThumbnailLayout LayoutOf(uint32_t width, uint32_t height) {
  return thumbnails::LayoutFor(kCell, platform::ImageSize{width, height});
}

// What the thumbnail list does with a new file.
bool ProductThumbnail(const std::string& path) {
  headless::HeadlessImaging imaging;
  const std::u16string wide = Wide(path);
  const std::optional<platform::ImageSize> size = imaging.ReadImageSize(wide);
  if (!size) return false;
  return imaging.MakeThumbnail(wide, thumbnails::LayoutFor(kCell, *size)).has_value();
}

bool VipsThumbnail(const std::string& path, const platform::ThumbnailLayout& layout) {
  VipsImage* out = nullptr;
  if (vips_thumbnail(path.c_str(), &out, layout.scaledWidth, "height", layout.scaledHeight,
                     nullptr) != 0) {
    return false;
  }
  size_t length = 0;
  void* pixels = vips_image_write_to_memory(out, &length);
  g_free(pixels);
  g_object_unref(out);
  return pixels != nullptr;
}

// With `hint`, the JPEG decoder is told the size wanted (twice the
// thumbnail), so that it may decode at a smaller scale.
bool MagickThumbnail(const std::string& path, const platform::ThumbnailLayout& layout,
                     bool hint) {
  MagickWand* wand = NewMagickWand();
  if (hint) {
    const std::string size =
        std::to_string(layout.scaledWidth * 2) + "x" + std::to_string(layout.scaledHeight * 2);
    MagickSetOption(wand, "jpeg:size", size.c_str());
  }
  const bool done = MagickReadImage(wand, path.c_str()) == MagickTrue &&
                    MagickThumbnailImage(wand, static_cast<size_t>(layout.scaledWidth),
                                         static_cast<size_t>(layout.scaledHeight)) == MagickTrue;
  DestroyMagickWand(wand);
  return done;
}

// The whole file through one 1 MiB buffer.
bool ReadThrough(const std::string& path) {
  static std::vector<uint8_t> buffer(1 << 20);
  const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (file < 0) return false;
  ssize_t got = 0;
  while ((got = ::read(file, buffer.data(), buffer.size())) > 0) {
  }
  ::close(file);
  return got == 0;
}

// libjpeg-turbo's own decode at 1/8 scale, every row.
bool JpegEighth(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  jpeg_decompress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&info);
  jpeg_stdio_src(&info, file);
  jpeg_read_header(&info, TRUE);
  info.scale_num = 1;
  info.scale_denom = 8;
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  std::vector<uint8_t> row(static_cast<size_t>(info.output_width) * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW rows = row.data();
    jpeg_read_scanlines(&info, &rows, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  std::fclose(file);
  return true;
}

// zlib's inflate of a PNG's pixel data alone, output thrown away piece by
// piece, the file already in memory: the floor of any PNG decoder built on
// zlib.
bool InflateOnly(const std::string& path) {
  static std::string loaded;
  static std::vector<uint8_t> bytes;
  if (loaded != path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    bytes.clear();
    uint8_t chunk[1 << 16];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
      bytes.insert(bytes.end(), chunk, chunk + got);
    }
    std::fclose(file);
    loaded = path;
  }
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) return false;
  // As the product reads: no Adler-32 check, a row's worth at a time.
  inflateValidate(&stream, 0);
  static std::vector<uint8_t> out(1 << 14);
  size_t at = 8;
  int status = Z_OK;
  while (at + 12 <= bytes.size() && status != Z_STREAM_END) {
    const uint32_t length = static_cast<uint32_t>(bytes[at]) << 24 | bytes[at + 1] << 16 |
                            bytes[at + 2] << 8 | bytes[at + 3];
    if (at + 12 + length > bytes.size()) break;
    if (std::memcmp(&bytes[at + 4], "IDAT", 4) == 0) {
      stream.next_in = &bytes[at + 8];
      stream.avail_in = length;
      while (stream.avail_in > 0 && status == Z_OK) {
        stream.next_out = out.data();
        stream.avail_out = static_cast<uInt>(out.size());
        status = inflate(&stream, Z_NO_FLUSH);
      }
    }
    at += 12 + length;
  }
  inflateEnd(&stream);
  return status == Z_STREAM_END;
}

// How the product's fast thumbnail of `picture` compares with an exact box
// reduction of the whole picture (for JPEG: of libjpeg's full decode).
testing_support::Difference Quality(const bench::BenchPicture& picture) {
  testing_support::Rgb whole{static_cast<int>(picture.width), static_cast<int>(picture.height), {}};
  whole.pixels.resize(static_cast<size_t>(picture.width) * picture.height * 3);
  if (picture.format == "jpg") {
    std::FILE* file = std::fopen(picture.path.c_str(), "rb");
    if (file == nullptr) return {255, 255, 255};
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    while (info.output_scanline < info.output_height) {
      JSAMPROW row = whole.pixels.data() + static_cast<size_t>(info.output_scanline) * picture.width * 3;
      jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(file);
  } else if (picture.width == 2 * 5616) {
    // The merged picture: two pages side by side, as it was written.
    const testing_support::TextPage left(5616, picture.height, 1);
    const testing_support::TextPage right(5616, picture.height, 2);
    for (uint32_t y = 0; y < picture.height; ++y) {
      uint8_t* row = whole.pixels.data() + static_cast<size_t>(y) * picture.width * 3;
      left.Row(y, row);
      right.Row(y, row + 5616 * 3);
    }
  } else {
    const testing_support::TextPage page(picture.width, picture.height);
    for (uint32_t y = 0; y < picture.height; ++y) {
      page.Row(y, whole.pixels.data() + static_cast<size_t>(y) * picture.width * 3);
    }
  }
  const platform::ThumbnailLayout layout = LayoutOf(picture.width, picture.height);
  const testing_support::Rgb reference =
      testing_support::BoxReduce(whole, layout.scaledWidth, layout.scaledHeight);
  std::FILE* file = std::fopen(picture.path.c_str(), "rb");
  std::vector<uint8_t> bytes;
  uint8_t chunk[1 << 16];
  size_t got = 0;
  while (file != nullptr && (got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  if (file != nullptr) std::fclose(file);
  streaming::MemorySource source(bytes.data(), bytes.size());
  const streaming::Reduced fast = streaming::ReducePicture(source, [&](platform::ImageSize) {
    return platform::ImageSize{static_cast<uint32_t>(layout.scaledWidth),
                               static_cast<uint32_t>(layout.scaledHeight)};
  });
  return testing_support::Compare(fast.pixels.pixels, reference.pixels, reference.width,
                                  reference.height);
}

enum class Tool { Product, Vips, Magick, MagickHint, Read, JpegEighth, Inflate };

const char* NameOf(Tool tool) {
  switch (tool) {
    case Tool::Product: return "product";
    case Tool::Vips: return "vips";
    case Tool::Magick: return "magick";
    case Tool::MagickHint: return "magick-hint";
    case Tool::Read: return "read";
    case Tool::JpegEighth: return "jpeg-eighth";
    case Tool::Inflate: return "inflate";
  }
  return "";
}

bool ToolOf(const std::string& name, Tool* tool) {
  for (Tool t : {Tool::Product, Tool::Vips, Tool::Magick, Tool::MagickHint, Tool::Read,
                 Tool::JpegEighth, Tool::Inflate}) {
    if (name == NameOf(t)) {
      *tool = t;
      return true;
    }
  }
  return false;
}

bool Run(Tool tool, const bench::BenchPicture& picture) {
  const platform::ThumbnailLayout layout = LayoutOf(picture.width, picture.height);
  switch (tool) {
    case Tool::Product: return ProductThumbnail(picture.path);
    case Tool::Vips: return VipsThumbnail(picture.path, layout);
    case Tool::Magick: return MagickThumbnail(picture.path, layout, false);
    case Tool::MagickHint: return MagickThumbnail(picture.path, layout, true);
    case Tool::Read: return ReadThrough(picture.path);
    case Tool::JpegEighth: return JpegEighth(picture.path);
    case Tool::Inflate: return InflateOnly(picture.path);
  }
  return false;
}

void StartLibraries(const char* program) {
  if (VIPS_INIT(program) != 0) std::fprintf(stderr, "vips did not start\n");
  // Every call does its work: no result of an earlier call is reused.
  vips_cache_set_max(0);
  MagickWandGenesis();
}

// A figure of /proc/self/status in KiB.
long StatusKib(const char* field) {
  std::FILE* status = std::fopen("/proc/self/status", "r");
  if (status == nullptr) return -1;
  char line[256];
  long value = -1;
  const size_t length = std::strlen(field);
  while (std::fgets(line, sizeof line, status) != nullptr) {
    if (std::strncmp(line, field, length) == 0 && line[length] == ':') {
      value = std::strtol(line + length + 1, nullptr, 10);
    }
  }
  std::fclose(status);
  return value;
}

// Sets the peak resident size back to the present one.
bool ResetPeak() {
  const int file = ::open("/proc/self/clear_refs", O_WRONLY);
  if (file < 0) return false;
  const bool done = ::write(file, "5", 1) == 1;
  ::close(file);
  return done;
}

bench::BenchPicture PictureAt(const std::string& path) {
  bench::BenchPicture picture;
  picture.path = path;
  headless::HeadlessImaging imaging;
  const auto size = imaging.ReadImageSize(Wide(path));
  if (size) {
    picture.width = size->width;
    picture.height = size->height;
  } else {
    picture.width = picture.height = 1;
  }
  return picture;
}

int MemoryChild(Tool tool, const std::string& path) {
  const bench::BenchPicture picture = PictureAt(path);
  if (!ResetPeak()) return 1;
  const long before = StatusKib("VmRSS");
  if (!Run(tool, picture)) return 1;
  std::printf("%ld\n", StatusKib("VmHWM") - before);
  return 0;
}

int RepeatChild(const std::string& path, int count) {
  const bench::BenchPicture picture = PictureAt(path);
  if (!ResetPeak()) return 1;
  const long before = StatusKib("VmRSS");
  if (!Run(Tool::Product, picture)) return 1;
  const long first = StatusKib("VmHWM") - before;
  for (int i = 1; i < count; ++i) {
    if (!Run(Tool::Product, picture)) return 1;
  }
  std::printf("%ld %ld\n", first, StatusKib("VmHWM") - before);
  return 0;
}

std::string Self() {
  char path[4096];
  const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return "";
  path[length] = '\0';
  return path;
}

std::string Child(const std::string& arguments) {
  const std::string command = "'" + Self() + "' " + arguments;
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return "";
  char line[256] = {};
  std::string output;
  while (std::fgets(line, sizeof line, pipe) != nullptr) output += line;
  ::pclose(pipe);
  return output;
}

// Extra peak memory of one thumbnail in a fresh process, in MiB; negative
// when it could not be measured.
double ExtraPeakMib(Tool tool, const std::string& path) {
  const std::string output =
      Child(std::string("--memory ") + NameOf(tool) + " '" + path + "'");
  if (output.empty()) return -1;
  return std::strtod(output.c_str(), nullptr) / 1024.0;
}

bool g_cpuTime = false;

// Now, by the wall clock or, for --cpu, by this thread's processor time.
std::chrono::duration<double, std::milli> Now() {
  if (!g_cpuTime) return std::chrono::steady_clock::now().time_since_epoch();
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return std::chrono::duration<double, std::milli>(now.tv_sec * 1e3 + now.tv_nsec / 1e6);
}

// The median in milliseconds of runs after one to warm up: at least 3 and
// at most 15, within about 4 seconds.
double MedianMs(Tool tool, const bench::BenchPicture& picture) {
  if (!Run(tool, picture)) return -1;
  std::vector<double> times;
  const auto start = std::chrono::steady_clock::now();
  while (times.size() < 15) {
    const auto before = Now();
    if (!Run(tool, picture)) return -1;
    const auto after = Now();
    times.push_back((after - before).count());
    if (times.size() >= 3 && std::chrono::steady_clock::now() - start > std::chrono::seconds(4)) {
      break;
    }
  }
  std::sort(times.begin(), times.end());
  const size_t n = times.size();
  return n % 2 == 1 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
}

std::string Ms(double ms) {
  char text[32];
  if (ms < 0) return "-";
  std::snprintf(text, sizeof text, ms < 10 ? "%.2f" : (ms < 100 ? "%.1f" : "%.0f"), ms);
  return text;
}
std::string Ratio(double a, double b) {
  char text[32];
  if (a < 0 || b <= 0) return "-";
  std::snprintf(text, sizeof text, "%.3f", a / b);
  return text;
}
std::string Mib(double mib) {
  char text[32];
  if (mib < 0) return "-";
  std::snprintf(text, sizeof text, "%.1f", mib);
  return text;
}

struct Row {
  bench::BenchPicture picture;
  double product, vips, magick, hint;
  double productMib, vipsMib, magickMib, hintMib;
};

void Goal(const char* what, bool met, const std::string& figures) {
  std::printf("  %-58s %-6s %s\n", what, met ? "met" : "MISSED", figures.c_str());
}

int FullRun(const std::string& folder) {
  const std::vector<bench::BenchPicture> pictures = bench::PreparePictures(folder);
  if (pictures.empty()) {
    std::fprintf(stderr, "ThumbnailBench: the pictures could not be written in %s\n",
                 folder.c_str());
    return 1;
  }
  std::printf("\nThumbnails in-process, one thread for the product; thumbnail cell %dx%d "
              "(list client width 150); files in the page cache.\n",
              kCell.width, kCell.height);
  std::printf("Times: median ms of 3-15 runs after one warm-up. Memory: extra peak resident "
              "MiB of one thumbnail in a fresh process.\n");
  std::printf("libvips %s (vips_thumbnail, cache off); %s (MagickThumbnailImage; "
              "+hint = jpeg:size of twice the thumbnail).\n\n",
              vips_version_string(), GetMagickVersion(nullptr));
  std::printf("%-22s %8s %8s %8s %8s | %9s %9s %9s | %6s %6s %6s %6s\n", "picture", "product",
              "libvips", "IM", "IM+hint", "prod/vips", "prod/IM", "prod/IMh", "MiB:pr", "vips",
              "IM", "IM+h");
  std::vector<Row> rows;
  for (const bench::BenchPicture& picture : pictures) {
    Row row{picture, -1, -1, -1, -1, -1, -1, -1, -1};
    const bool jpeg = picture.format == "jpg";
    row.product = MedianMs(Tool::Product, picture);
    row.vips = MedianMs(Tool::Vips, picture);
    row.magick = MedianMs(Tool::Magick, picture);
    if (jpeg) row.hint = MedianMs(Tool::MagickHint, picture);
    row.productMib = ExtraPeakMib(Tool::Product, picture.path);
    row.vipsMib = ExtraPeakMib(Tool::Vips, picture.path);
    row.magickMib = ExtraPeakMib(Tool::Magick, picture.path);
    if (jpeg) row.hintMib = ExtraPeakMib(Tool::MagickHint, picture.path);
    std::printf("%-22s %8s %8s %8s %8s | %9s %9s %9s | %6s %6s %6s %6s\n",
                picture.label.c_str(), Ms(row.product).c_str(), Ms(row.vips).c_str(),
                Ms(row.magick).c_str(), Ms(row.hint).c_str(), Ratio(row.product, row.vips).c_str(),
                Ratio(row.product, row.magick).c_str(), Ratio(row.product, row.hint).c_str(),
                Mib(row.productMib).c_str(), Mib(row.vipsMib).c_str(), Mib(row.magickMib).c_str(),
                Mib(row.hintMib).c_str());
    std::fflush(stdout);
    rows.push_back(row);
  }
  auto find = [&rows](const std::string& label) -> const Row& {
    for (const Row& row : rows) {
      if (row.picture.label == label) return row;
    }
    return rows.front();
  };
  const Row& bmp = find("21 MP BMP");
  const Row& merged = find("42 MP merged BMP");
  const Row& jpeg = find("21 MP JPEG q90");
  const Row& png = find("21 MP PNG zlib-6");
  const Row& small = find("720p JPEG q90");
  const double read = MedianMs(Tool::Read, bmp.picture);
  const double readMerged = MedianMs(Tool::Read, merged.picture);
  const double eighth = MedianMs(Tool::JpegEighth, jpeg.picture);
  const double inflated = MedianMs(Tool::Inflate, png.picture);
  std::printf("\nReferences: reading the 21 MP BMP from the page cache %s ms (42 MP: %s ms); "
              "libjpeg-turbo's 1/8 decode of the 21 MP JPEG %s ms;\n"
              "zlib's inflate alone of the 21 MP PNG's pixel data %s ms (of the product's %s ms).\n",
              Ms(read).c_str(), Ms(readMerged).c_str(), Ms(eighth).c_str(), Ms(inflated).c_str(),
              Ms(png.product).c_str());

  const std::string repeat = Child("--repeat '" + merged.picture.path + "' 500");
  long first = -1, after = -1;
  std::sscanf(repeat.c_str(), "%ld %ld", &first, &after);
  std::printf("500 thumbnails of the 42 MP merged BMP in one process: extra peak %s MiB after "
              "the first, %s MiB after all 500.\n",
              Mib(first / 1024.0).c_str(), Mib(after / 1024.0).c_str());

  std::printf("\nQuality of the product's fast thumbnail against an exact box reduction of the "
              "whole picture (JPEG: of libjpeg's full decode), grey levels:\n");
  bool qualityMet = true;
  std::string worst;
  for (const Row& row : rows) {
    const testing_support::Difference d = Quality(row.picture);
    const bool met = testing_support::WithinBounds(d);
    qualityMet = qualityMet && met;
    if (!met) worst += " " + row.picture.label;
    std::printf("  %-22s mean %.2f, largest %3d, worst row or column %.2f%s\n",
                row.picture.label.c_str(), d.mean, d.largest, d.worstLine, met ? "" : "  (outside)");
  }

  double maxMib = 0;
  for (const Row& row : rows) maxMib = std::max(maxMib, row.productMib);
  std::printf("\nGoals:\n");
  Goal("21 MP BMP <= 13 ms", bmp.product <= 13, Ms(bmp.product) + " ms");
  Goal("21 MP BMP <= 0.09 x ImageMagick", bmp.product <= 0.09 * bmp.magick,
       Ratio(bmp.product, bmp.magick) + " x");
  Goal("21 MP BMP <= 2 x the page-cache read", bmp.product <= 2 * read,
       Ratio(bmp.product, read) + " x");
  Goal("42 MP merged BMP <= 26 ms", merged.product <= 26, Ms(merged.product) + " ms");
  Goal("21 MP JPEG <= 31 ms", jpeg.product <= 31, Ms(jpeg.product) + " ms");
  Goal("21 MP JPEG <= 0.8 x libvips", jpeg.product <= 0.8 * jpeg.vips,
       Ratio(jpeg.product, jpeg.vips) + " x");
  Goal("720p JPEG <= 2 ms", small.product <= 2, Ms(small.product) + " ms");
  Goal("21 MP PNG <= 0.6 x libvips", png.product <= 0.6 * png.vips,
       Ratio(png.product, png.vips) + " x (" + Ms(png.product) + " ms)");
  Goal("extra peak memory <= 8 MiB for every file", maxMib <= 8, Mib(maxMib) + " MiB at most");
  Goal("quality: mean <= 2, any pixel <= 8, no row or column > 4", qualityMet,
       qualityMet ? std::string("every picture") : "outside:" + worst);
  Goal("500 merged thumbnails: no growth past the first", after <= first + 1024,
       Mib(first / 1024.0) + " -> " + Mib(after / 1024.0) + " MiB");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  StartLibraries(argv[0]);
  Tool tool;
  if (argc == 4 && std::strcmp(argv[1], "--memory") == 0 && ToolOf(argv[2], &tool)) {
    return MemoryChild(tool, argv[3]);
  }
  if (argc == 4 && std::strcmp(argv[1], "--repeat") == 0) {
    return RepeatChild(argv[2], std::atoi(argv[3]));
  }
  if (argc == 3 && std::strcmp(argv[1], "--quality") == 0) {
    bench::BenchPicture picture = PictureAt(argv[2]);
    picture.format = std::string(argv[2]).substr(std::string(argv[2]).size() - 3);
    const testing_support::Difference d = Quality(picture);
    std::printf("mean %.2f, largest %d, worst row or column %.2f\n", d.mean, d.largest, d.worstLine);
    return 0;
  }
  if (argc == 4 && std::strcmp(argv[1], "--cpu") == 0 && ToolOf(argv[2], &tool)) {
    g_cpuTime = true;
    std::printf("%s\n", Ms(MedianMs(tool, PictureAt(argv[3]))).c_str());
    return 0;
  }
  if (argc == 4 && std::strcmp(argv[1], "--time") == 0 && ToolOf(argv[2], &tool)) {
    std::printf("%s\n", Ms(MedianMs(tool, PictureAt(argv[3]))).c_str());
    return 0;
  }
  if (argc == 2) return FullRun(argv[1]);
  std::fprintf(stderr, "usage: ThumbnailBench FOLDER\n");
  return 2;
}
