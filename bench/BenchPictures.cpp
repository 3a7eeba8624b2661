#include "BenchPictures.h"

#include <sys/stat.h>

#include <cstdio>
#include <memory>

#include "support/PictureWriters.h"
#include "support/TextPage.h"

namespace bench {
namespace {

struct Size {
  const char* name;
  uint32_t width;
  uint32_t height;
};

bool Exists(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && info.st_size > 0;
}

bool Write(const BenchPicture& picture, const testing_support::RowSource& rows) {
  if (Exists(picture.path)) return true;
  const std::string part = picture.path + ".part";
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(part.c_str(), "wb"),
                                                       std::fclose);
  if (!file) return false;
  std::printf("writing %s ...\n", picture.path.c_str());
  std::fflush(stdout);
  bool written = false;
  if (picture.format == "bmp") {
    written = testing_support::WriteBmp(file.get(), picture.width, picture.height, rows);
  } else if (picture.format == "jpg") {
    written = testing_support::WriteJpeg(file.get(), picture.width, picture.height, rows, 90);
  } else {
    written = testing_support::WritePng(file.get(), picture.width, picture.height, rows, false, 6);
  }
  if (std::fclose(file.release()) != 0 || !written) return false;
  return std::rename(part.c_str(), picture.path.c_str()) == 0;
}

}  // namespace

std::vector<BenchPicture> PreparePictures(const std::string& folder) {
  ::mkdir(folder.c_str(), 0755);
  const Size sizes[] = {{"21 MP", 5616, 3744}, {"5 MP", 2592, 1944}, {"720p", 1280, 720}};
  const char* formats[] = {"bmp", "jpg", "png"};
  const char* formatNames[] = {"BMP", "JPEG q90", "PNG zlib-6"};
  std::vector<BenchPicture> pictures;
  for (const Size& size : sizes) {
    for (int f = 0; f < 3; ++f) {
      BenchPicture picture;
      picture.label = std::string(size.name) + " " + formatNames[f];
      picture.path = folder + "/page-" + std::to_string(size.width) + "x" +
                     std::to_string(size.height) + "." + formats[f];
      picture.width = size.width;
      picture.height = size.height;
      picture.format = formats[f];
      const testing_support::TextPage page(size.width, size.height);
      if (!Write(picture, [&page](uint32_t y, uint8_t* rgb) { page.Row(y, rgb); })) return {};
      pictures.push_back(picture);
    }
  }
  // Two shots joined side by side, as the two-picture merge writes them.
  BenchPicture merged;
  merged.label = "42 MP merged BMP";
  merged.path = folder + "/merged-11232x3744.bmp";
  merged.width = 11232;
  merged.height = 3744;
  merged.format = "bmp";
  const testing_support::TextPage left(5616, 3744, 1);
  const testing_support::TextPage right(5616, 3744, 2);
  if (!Write(merged, [&](uint32_t y, uint8_t* rgb) {
        left.Row(y, rgb);
        right.Row(y, rgb + 5616 * 3);
      })) {
    return {};
  }
  pictures.insert(pictures.begin() + 1, merged);
  return pictures;
}

}  // namespace bench
